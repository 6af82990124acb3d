// Readers of SVG attribute texts: numbers, lengths, colours, fonts, path data
// and transform lists.
#include "graphics/dxSVGCoreParsers.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/dxCore.h"
#include "platform/rtl/SysUtilsFormat.h"

using enum vcl::TFontStyle;

namespace {

constexpr float SVGZeroTolerance = 1e-4f;

constexpr const wchar_t* UnitSuffixes[] = {L"px", L"mm", L"cm", L"in", L"pc", L"pt", L"%"};

bool IsNumberDigit(rtl::Char C)
{
  return C >= L'0' && C <= L'9';
}

bool IsExponent(rtl::Char C)
{
  return C == L'e' || C == L'E';
}

void AddNumber(const rtl::String& S, size_t AStart, size_t AEnd, const std::function<void(float)>& AProc)
{
  if (AEnd <= AStart)
    return;
  const rtl::String text = rtl::Trim(S.substr(AStart, AEnd - AStart));
  rtl::Extended value = 0;
  if (!text.empty() && rtl::TryStrToFloat(text, value, dxCultureNeutralFormatSettings()))
    AProc(static_cast<float>(value));
}

bool SameValue(float A, float B)
{
  return std::fabs(A - B) <= SVGZeroTolerance;
}

TdxPointF Add(const TdxPointF& A, const TdxPointF& B)
{
  return {A.X + B.X, A.Y + B.Y};
}

TdxPointF Sub(const TdxPointF& A, const TdxPointF& B)
{
  return {A.X - B.X, A.Y - B.Y};
}

TdxPointF Mul(const TdxPointF& A, float F)
{
  return {A.X * F, A.Y * F};
}

// 2 x ACenter - APoint: the control point mirrored through the current point
// for the smooth curve commands.
TdxPointF Reflect(const TdxPointF& APoint, const TdxPointF& ACenter)
{
  return {2 * ACenter.X - APoint.X, 2 * ACenter.Y - APoint.Y};
}

// A rotation by an angle given as its cosine and sine.
struct TdxSVGRotation {
  double Cos;
  double Sin;
  TdxPointF Apply(double X, double Y) const
  {
    return {static_cast<float>(X * Cos - Y * Sin), static_cast<float>(X * Sin + Y * Cos)};
  }
};

// The angle from vector A to vector B, 0 .. 2 pi.
double AngleBetween(double AX, double AY, double BX, double BY)
{
  const double p = std::atan2(AY, AX);
  const double q = std::atan2(BY, BX);
  return p <= q ? q - p : 2 * std::numbers::pi - (p - q);
}

// Transform list operators: the arguments as read, missing ones defaulted.
float Argument(const TdxSVGValues& A, size_t AIndex, float ADefault)
{
  return AIndex < A.size() ? A[AIndex] : ADefault;
}

float DegToRad(float ADegrees)
{
  return static_cast<float>(ADegrees * std::numbers::pi / 180);
}

XFORM MatrixOperator(const TdxSVGValues& A)
{
  return cxXFormMake(Argument(A, 0, 1), Argument(A, 1, 0), Argument(A, 2, 0), Argument(A, 3, 1), Argument(A, 4, 0),
                     Argument(A, 5, 0));
}

XFORM RotateOperator(const TdxSVGValues& A)
{
  const float angle = DegToRad(Argument(A, 0, 0));
  const float cx = Argument(A, 1, 0);
  const float cy = Argument(A, 2, 0);
  const XFORM rotation = cxXFormMake(std::cos(angle), std::sin(angle), -std::sin(angle), std::cos(angle), 0, 0);
  return cxXFormCombine(cxXFormCombine(cxXFormTranslation(-cx, -cy), rotation), cxXFormTranslation(cx, cy));
}

XFORM ScaleOperator(const TdxSVGValues& A)
{
  const float sx = Argument(A, 0, 1);
  return cxXFormMake(sx, 0, 0, Argument(A, 1, sx), 0, 0);
}

XFORM SkewXOperator(const TdxSVGValues& A)
{
  return cxXFormMake(1, 0, std::tan(DegToRad(Argument(A, 0, 0))), 1, 0, 0);
}

XFORM SkewYOperator(const TdxSVGValues& A)
{
  return cxXFormMake(1, std::tan(DegToRad(Argument(A, 0, 0))), 0, 1, 0, 0);
}

XFORM TranslateOperator(const TdxSVGValues& A)
{
  return cxXFormMake(1, 0, 0, 1, Argument(A, 0, 0), Argument(A, 1, 0));
}

struct TdxSVGTransformOperator {
  const wchar_t* Name;
  XFORM (*Build)(const TdxSVGValues& AArguments);
};

constexpr TdxSVGTransformOperator TransformOperators[] = {
    {L"matrix", MatrixOperator}, {L"rotate", RotateOperator}, {L"scale", ScaleOperator},
    {L"skewX", SkewXOperator},   {L"skewY", SkewYOperator},   {L"translate", TranslateOperator},
};

}  // namespace

// ---------------------------------------------------------------------------
// TdxSVGValue

TdxSVGValue TdxSVGValue::Create(float AValue, TdxSVGUnitsType AUnitsType)
{
  return {AValue, AUnitsType};
}

bool TdxSVGValue::IsEmpty() const
{
  return std::fabs(Data) <= SVGZeroTolerance;
}

float TdxSVGValue::ToPixels(int ATargetDPI) const
{
  if (UnitsType == utPercents)
    throw EInvalidArgument(L"TdxSVGValue.ToPixels");
  return ToPixels(0, ATargetDPI);
}

float TdxSVGValue::ToPixels(float AParentSize, int ATargetDPI) const
{
  const float dpi = static_cast<float>(ATargetDPI);
  switch (UnitsType) {
    case utMm:
      return Data / 25.4f * dpi;
    case utCm:
      return Data / 2.54f * dpi;
    case utIn:
      return Data * dpi;
    case utPc:
      return Data * 12 / 72 * dpi;
    case utPt:
      return Data / 72 * dpi;
    case utPercents:
      return Data / 100 * AParentSize;
    case utPx:
      break;
  }
  return Data;
}

const wchar_t* dxSVGUnitSuffix(TdxSVGUnitsType AUnitsType)
{
  return UnitSuffixes[AUnitsType];
}

// ---------------------------------------------------------------------------
// TdxSVGParserNumbers

TdxSVGValues TdxSVGParserNumbers::AsNumbers(const rtl::String& S)
{
  TdxSVGValues result;
  AsNumbers(S, [&](float AValue) { result.push_back(AValue); });
  return result;
}

void TdxSVGParserNumbers::AsNumbers(const rtl::String& S, const std::function<void(float)>& AProc)
{
  size_t start = 0;
  int dots = 0;
  for (size_t i = 0; i < S.size(); ++i) {
    const rtl::Char c = S[i];
    bool partOfNumber = IsNumberDigit(c) || IsExponent(c);
    if (c == L'.' && dots == 0)
      partOfNumber = true;
    if ((c == L'+' || c == L'-') && i > 0 && IsExponent(S[i - 1]))
      partOfNumber = true;
    if (partOfNumber) {
      if (c == L'.')
        ++dots;
      continue;
    }
    AddNumber(S, start, i, AProc);
    dots = c == L'.' ? 1 : 0;
    start = c == L'+' || c == L'-' || c == L'.' ? i : i + 1;
  }
  AddNumber(S, start, S.size(), AProc);
}

void TdxSVGParserNumbers::AsPoints(const rtl::String& S, TdxSVGPoints& AList)
{
  const size_t keep = AList.capacity() / 2;
  AList.clear();
  AList.reserve(keep);
  AsPoints(S, [&](const TdxPointF& P) { AList.push_back(P); });
}

void TdxSVGParserNumbers::AsPoints(const rtl::String& S, const std::function<void(const TdxPointF&)>& AProc)
{
  AsPoints(AsNumbers(S), AProc);
}

void TdxSVGParserNumbers::AsPoints(const TdxSVGValues& AValues, const std::function<void(const TdxPointF&)>& AProc)
{
  try {
    for (size_t i = 0; i + 1 < AValues.size(); i += 2)
      AProc(TdxPointF(AValues[i], AValues[i + 1]));
  } catch (const rtl::Exception&) {
    // A consumer that cannot take more points ends the walk.
  }
}

// ---------------------------------------------------------------------------
// TdxSVGParserValue

bool TdxSVGParserValue::Parse(const rtl::String& S, TdxSVGValue& AValue)
{
  const rtl::String text = rtl::Trim(S);
  if (text.empty())
    return false;
  size_t numberLength = text.size();
  while (numberLength > 0 && !IsNumberDigit(text[numberLength - 1]))
    --numberLength;
  if (numberLength == 0)
    return false;
  TdxSVGUnitsType units = utPx;
  if (numberLength < text.size()) {
    const rtl::String suffix = rtl::Trim(text.substr(numberLength));
    const auto found = std::find_if(std::begin(UnitSuffixes), std::end(UnitSuffixes),
                                    [&](const wchar_t* ASuffix) { return rtl::SameText(suffix, ASuffix); });
    if (found == std::end(UnitSuffixes))
      return false;
    units = static_cast<TdxSVGUnitsType>(found - std::begin(UnitSuffixes));
  }
  try {
    AValue = TdxSVGValue::Create(
        static_cast<float>(dxStrToFloatWithSeparator(rtl::Trim(text.substr(0, numberLength)), L'.')), units);
  } catch (const rtl::EConvertError&) {
    return false;
  }
  return true;
}

// ---------------------------------------------------------------------------
// TdxSVGParserRect

TdxRectF TdxSVGParserRect::Parse(const rtl::String& S)
{
  rtl::String text = S;
  if (const size_t position = text.find(L"new"); position != rtl::String::npos)
    text.erase(position, 3);
  const TdxSVGValues numbers = TdxSVGParserNumbers::AsNumbers(rtl::Trim(text));
  if (numbers.size() != 4)
    return TdxRectF(0, 0, 0, 0);
  return cxRectFBounds(numbers[0], numbers[1], numbers[2], numbers[3]);
}

// ---------------------------------------------------------------------------
// TdxSVGParserColor

TdxAlphaColor TdxSVGParserColor::Parse(const rtl::String& S)
{
  if (const size_t position = S.find(L"rgb("); position != rtl::String::npos) {
    const TdxSVGValues channels = TdxSVGParserNumbers::AsNumbers(S.substr(position + 4));
    if (channels.size() != 3)
      return TdxAlphaColorDefault;
    // Out-of-range channels saturate, as in CSS: rgb(256, 0, 0) is red.
    const auto channel = [&](size_t AIndex) {
      return static_cast<std::uint8_t>(std::clamp(std::nearbyint(channels[AIndex]), 0.0f, 255.0f));
    };
    return dxMakeAlphaColor(255, channel(0), channel(1), channel(2));
  }
  if (S == L"inherit")
    return TdxAlphaColorDefault;
  return TdxAlphaColors::FromText(S);
}

// ---------------------------------------------------------------------------
// TdxSVGParserInlineStyle

void TdxSVGParserInlineStyle::Parse(const rtl::String& S,
                                    const std::function<void(const rtl::String&, const rtl::String&)>& AProc)
{
  size_t start = 0;
  while (start <= S.size()) {
    size_t finish = S.find(L';', start);
    if (finish == rtl::String::npos)
      finish = S.size();
    const rtl::String piece = S.substr(start, finish - start);
    if (const size_t colon = piece.find(L':'); colon != rtl::String::npos)
      AProc(rtl::Trim(piece.substr(0, colon)), rtl::Trim(piece.substr(colon + 1)));
    start = finish + 1;
  }
}

// ---------------------------------------------------------------------------
// TdxSVGFontStyleString

rtl::String TdxSVGFontStyleString::Build(const rtl::String& AName, float ASize, vcl::TFontStyles AStyles)
{
  rtl::String result;
  if (AStyles.Contains(fsItalic))
    result += L"italic ";
  if (AStyles.Contains(fsBold))
    result += L"bold ";
  return result + std::to_wstring(static_cast<int>(ASize)) + L"px " + AName;
}

bool TdxSVGFontStyleString::Parse(const rtl::String& S, rtl::String& AName, float& ASize, vcl::TFontStyles& AStyles)
{
  AName.clear();
  ASize = 0;
  AStyles = {};
  size_t start = 0;
  while (start <= S.size()) {
    size_t finish = S.find_first_of(L" /,", start);
    if (finish == rtl::String::npos)
      finish = S.size();
    const rtl::String word = S.substr(start, finish - start);
    start = finish + 1;
    vcl::TFontStyle style;
    TdxSVGValue size;
    if (TryStringToFontStyle(word, style))
      AStyles.Include(style);
    else if (TdxSVGParserValue::Parse(word, size)) {
      // The first length is the size; one after "/" is the line height.
      if (ASize == 0)
        ASize = size.ToPixels(96);
    } else {
      AName = word;
      break;
    }
  }
  return !AName.empty() && ASize > 0;
}

bool TdxSVGFontStyleString::TryStringToFontStyle(const rtl::String& S, vcl::TFontStyle& AStyle)
{
  static constexpr struct {
    const wchar_t* Name;
    vcl::TFontStyle Style;
  } styles[] = {{L"bold", fsBold}, {L"italic", fsItalic}, {L"underline", fsUnderline}, {L"line-through", fsStrikeOut}};
  for (const auto& entry : styles)
    if (S == entry.Name) {
      AStyle = entry.Style;
      return true;
    }
  return false;
}

// ---------------------------------------------------------------------------
// Path commands

void TdxSVGParserPathCommandOpen::Append(TdxGPPath* APath)
{
  APath->FigureStart();
}

void TdxSVGParserPathCommandClose::Append(TdxGPPath* APath)
{
  APath->FigureFinish();
}

void TdxSVGParserPathCommandLine::Append(TdxGPPath* APath)
{
  APath->AddLine(StartPoint.X, StartPoint.Y, FinishPoint.X, FinishPoint.Y);
}

void TdxSVGParserPathCommandCurveTo::Append(TdxGPPath* APath)
{
  APath->AddBezier(StartPoint, Point1, Point2, FinishPoint);
}

void TdxSVGParserPathCommandQuadraticCurveTo::Append(TdxGPPath* APath)
{
  const TdxPointF control1 = Add(StartPoint, Mul(Sub(MiddlePoint, StartPoint), 2.0f / 3));
  const TdxPointF control2 = Add(FinishPoint, Mul(Sub(MiddlePoint, FinishPoint), 2.0f / 3));
  APath->AddBezier(StartPoint, control1, control2, FinishPoint);
}

// The endpoint-to-centre conversion of an elliptical arc, then one cubic
// Bezier per segment of at most a quarter turn. The radii keep their signs.
void TdxSVGParserPathCommandArc::Append(TdxGPPath* APath)
{
  if (StartPoint == FinishPoint)
    return;
  double rx = Radius.X;
  double ry = Radius.Y;
  if (std::fabs(rx) <= SVGZeroTolerance || std::fabs(ry) <= SVGZeroTolerance) {
    APath->AddLine(StartPoint.X, StartPoint.Y, FinishPoint.X, FinishPoint.Y);
    return;
  }
  const double angle = Angle * std::numbers::pi / 180;
  const TdxSVGRotation toArc{std::cos(-angle), std::sin(-angle)};
  const TdxSVGRotation fromArc{std::cos(angle), std::sin(angle)};
  const TdxPointF half = toArc.Apply((StartPoint.X - FinishPoint.X) / 2.0, (StartPoint.Y - FinishPoint.Y) / 2.0);
  const double x1 = half.X;
  const double y1 = half.Y;

  const double num = rx * rx * y1 * y1 + ry * ry * x1 * x1;
  const double den = rx * rx * ry * ry;
  double cx = 0;
  double cy = 0;
  if (num > den) {
    const double grow = std::sqrt(num / den);
    rx *= grow;
    ry *= grow;
  } else {
    double g = std::sqrt(std::max(den / num - 1, 0.0));
    if (Sweep == LargeArc)
      g = -g;
    cx = g * rx * y1 / ry;
    cy = -g * ry * x1 / rx;
  }

  const double theta1 = AngleBetween(1, 0, (x1 - cx) / rx, (y1 - cy) / ry);
  double dtheta = AngleBetween((x1 - cx) / rx, (y1 - cy) / ry, (-x1 - cx) / rx, (-y1 - cy) / ry);
  if (!Sweep && dtheta > 0)
    dtheta -= 2 * std::numbers::pi;

  const TdxPointF centerOffset = fromArc.Apply(cx, cy);
  const TdxPointF center((StartPoint.X + FinishPoint.X) / 2 + centerOffset.X,
                         (StartPoint.Y + FinishPoint.Y) / 2 + centerOffset.Y);
  // A half turn is two segments, not three for the rounding in its angle.
  const int count = std::max(1, static_cast<int>(std::ceil(std::fabs(dtheta) / (std::numbers::pi / 2) - 1e-6)));
  const double delta = dtheta / count;
  const double k = 8.0 / 3 * std::pow(std::sin(delta / 4), 2) / std::sin(delta / 2);

  TdxPointF p = StartPoint;
  double t = theta1;
  for (int i = 0; i < count; ++i) {
    const double t2 = t + delta;
    const TdxPointF e = Add(fromArc.Apply(rx * std::cos(t2), ry * std::sin(t2)), center);
    const TdxPointF c1 = Sub(p, Mul(fromArc.Apply(rx * std::sin(t), -ry * std::cos(t)), static_cast<float>(k)));
    const TdxPointF c2 = Add(e, Mul(fromArc.Apply(rx * std::sin(t2), -ry * std::cos(t2)), static_cast<float>(k)));
    APath->AddBezier(p, c1, c2, e);
    p = e;
    t = t2;
  }
}

// ---------------------------------------------------------------------------
// TdxSVGParserPath

void TdxSVGParserPath::Create()
{
  inherited::Create();
  RegisterCommands();
}

void TdxSVGParserPath::Destroy()
{
  FCommands.clear();
  inherited::Destroy();
}

void TdxSVGParserPath::RegisterCommands()
{
  RegisterCommand(L'a', &TdxSVGParserPath::DoArc);
  RegisterCommand(L'c', &TdxSVGParserPath::DoCurveTo);
  RegisterCommand(L'h', &TdxSVGParserPath::DoHorizontalLineTo);
  RegisterCommand(L'l', &TdxSVGParserPath::DoLineTo);
  RegisterCommand(L'm', &TdxSVGParserPath::DoMoveTo);
  RegisterCommand(L'q', &TdxSVGParserPath::DoQuadraticCurveTo);
  RegisterCommand(L's', &TdxSVGParserPath::DoSmoothCurveTo);
  RegisterCommand(L't', &TdxSVGParserPath::DoSmoothQuadraticCurveTo);
  RegisterCommand(L'v', &TdxSVGParserPath::DoVerticalLineTo);
  RegisterCommand(L'z', &TdxSVGParserPath::DoClose);
}

void TdxSVGParserPath::Parse(const rtl::String& S)
{
  // Every letter but the exponent "e" starts a command; an upper-case "E"
  // therefore splits a number.
  size_t start = 0;
  for (size_t i = 0; i <= S.size(); ++i) {
    if (i < S.size() && (S[i] == L'e' || !dxCharIsAlpha(S[i])))
      continue;
    if (i > start)
      ProcessCommand(rtl::Trim(S.substr(start, i - start)));
    start = i;
  }
}

TdxSVGParserPathCommand* TdxSVGParserPath::GetCommand(int Index) const
{
  if (Index < 0 || Index >= CommandCount())
    throw rtl::EListError(rtl::Format(L"List index out of bounds (%d)", {Index}));
  return FCommands[Index].get();
}

void TdxSVGParserPath::ProcessCommand(const rtl::String& APiece)
{
  if (APiece.empty())
    return;
  const auto found = FCommandProcs.find(dxCharToLower(APiece[0]));
  if (found == FCommandProcs.end())
    return;
  (this->*found->second)(APiece.substr(1), dxCharIsLower(APiece[0]));
}

TdxPointF TdxSVGParserPath::CurrentPoint() const
{
  const TdxSVGParserPathCommand* last = LastCommand();
  return last ? last->FinishPoint : TdxPointF(0, 0);
}

TdxPointF TdxSVGParserPath::Absolute(const TdxPointF& P, const TdxPointF& ACurrent, bool ARelative) const
{
  return ARelative ? Add(P, ACurrent) : P;
}

const TdxSVGPoints& TdxSVGParserPath::Points(const rtl::String& AArguments)
{
  TdxSVGParserNumbers::AsPoints(AArguments, FBufferPoints);
  return FBufferPoints;
}

template <class T>
T* TdxSVGParserPath::AddCommand(const TdxPointF& AFinish)
{
  T* command = rtl::New<T>();
  FCommands.emplace_back(command);
  command->FinishPoint = AFinish;
  return command;
}

void TdxSVGParserPath::DoMoveTo(const rtl::String& AArguments, bool ARelative)
{
  const TdxSVGPoints& points = Points(AArguments);
  if (points.empty())
    throw rtl::EArgumentOutOfRangeException(L"Argument out of range");
  const TdxPointF start = Absolute(points[0], CurrentPoint(), ARelative);
  AddCommand<TdxSVGParserPathCommandMoveTo>(start);
  AddCommand<TdxSVGParserPathCommandOpen>(start);
  // Further pairs are implicit line-to commands.
  for (size_t i = 1; i < points.size(); ++i) {
    const TdxPointF current = CurrentPoint();
    AddCommand<TdxSVGParserPathCommandLine>(Absolute(points[i], current, ARelative))->StartPoint = current;
  }
}

void TdxSVGParserPath::DoLineTo(const rtl::String& AArguments, bool ARelative)
{
  for (const TdxPointF& point : Points(AArguments)) {
    const TdxPointF current = CurrentPoint();
    AddCommand<TdxSVGParserPathCommandLine>(Absolute(point, current, ARelative))->StartPoint = current;
  }
}

void TdxSVGParserPath::DoHorizontalLineTo(const rtl::String& AArguments, bool ARelative)
{
  for (float x : TdxSVGParserNumbers::AsNumbers(AArguments)) {
    const TdxPointF current = CurrentPoint();
    const TdxPointF finish(ARelative ? current.X + x : x, current.Y);
    AddCommand<TdxSVGParserPathCommandLine>(finish)->StartPoint = current;
  }
}

void TdxSVGParserPath::DoVerticalLineTo(const rtl::String& AArguments, bool ARelative)
{
  for (float y : TdxSVGParserNumbers::AsNumbers(AArguments)) {
    const TdxPointF current = CurrentPoint();
    const TdxPointF finish(current.X, ARelative ? current.Y + y : y);
    AddCommand<TdxSVGParserPathCommandLine>(finish)->StartPoint = current;
  }
}

void TdxSVGParserPath::DoCurveTo(const rtl::String& AArguments, bool ARelative)
{
  const TdxSVGPoints& points = Points(AArguments);
  for (size_t i = 0; i + 2 < points.size(); i += 3) {
    const TdxPointF current = CurrentPoint();
    auto* command = AddCommand<TdxSVGParserPathCommandCurveTo>(Absolute(points[i + 2], current, ARelative));
    command->StartPoint = current;
    command->Point1 = Absolute(points[i], current, ARelative);
    command->Point2 = Absolute(points[i + 1], current, ARelative);
  }
}

void TdxSVGParserPath::DoSmoothCurveTo(const rtl::String& AArguments, bool ARelative)
{
  const TdxSVGPoints& points = Points(AArguments);
  for (size_t i = 0; i + 1 < points.size(); i += 2) {
    const TdxPointF current = CurrentPoint();
    TdxPointF point1 = current;
    if (rtl::Is<TdxSVGParserPathCommandCurveTo>(LastCommand()))
      point1 = Reflect(static_cast<TdxSVGParserPathCommandCurveTo*>(LastCommand())->Point2, current);
    auto* command = AddCommand<TdxSVGParserPathCommandCurveTo>(Absolute(points[i + 1], current, ARelative));
    command->StartPoint = current;
    command->Point1 = point1;
    command->Point2 = Absolute(points[i], current, ARelative);
  }
}

void TdxSVGParserPath::DoQuadraticCurveTo(const rtl::String& AArguments, bool ARelative)
{
  const TdxSVGPoints& points = Points(AArguments);
  for (size_t i = 0; i + 1 < points.size(); i += 2) {
    const TdxPointF current = CurrentPoint();
    auto* command = AddCommand<TdxSVGParserPathCommandQuadraticCurveTo>(Absolute(points[i + 1], current, ARelative));
    command->StartPoint = current;
    command->MiddlePoint = Absolute(points[i], current, ARelative);
  }
}

void TdxSVGParserPath::DoSmoothQuadraticCurveTo(const rtl::String& AArguments, bool ARelative)
{
  for (const TdxPointF& point : Points(AArguments)) {
    const TdxPointF current = CurrentPoint();
    TdxPointF middle = current;
    if (rtl::Is<TdxSVGParserPathCommandQuadraticCurveTo>(LastCommand()))
      middle = Reflect(static_cast<TdxSVGParserPathCommandQuadraticCurveTo*>(LastCommand())->MiddlePoint, current);
    auto* command = AddCommand<TdxSVGParserPathCommandQuadraticCurveTo>(Absolute(point, current, ARelative));
    command->StartPoint = current;
    command->MiddlePoint = middle;
  }
}

void TdxSVGParserPath::DoArc(const rtl::String& AArguments, bool ARelative)
{
  const TdxSVGValues numbers = TdxSVGParserNumbers::AsNumbers(AArguments);
  for (size_t i = 0; i + 6 < numbers.size(); i += 7) {
    const TdxPointF current = CurrentPoint();
    auto* command = AddCommand<TdxSVGParserPathCommandArc>(
        Absolute(TdxPointF(numbers[i + 5], numbers[i + 6]), current, ARelative));
    command->StartPoint = current;
    command->Radius = TdxPointF(numbers[i], numbers[i + 1]);
    command->Angle = numbers[i + 2];
    command->LargeArc = !SameValue(numbers[i + 3], 0);
    command->Sweep = !SameValue(numbers[i + 4], 0);
  }
}

void TdxSVGParserPath::DoClose(const rtl::String&, bool)
{
  // The figure's start becomes the current point, so a relative command
  // after the close starts from there.
  TdxPointF finish = CurrentPoint();
  const auto open = std::find_if(FCommands.rbegin(), FCommands.rend(), [](const auto& ACommand) {
    return rtl::Is<TdxSVGParserPathCommandOpen>(ACommand.get());
  });
  if (open != FCommands.rend())
    finish = (*open)->FinishPoint;
  AddCommand<TdxSVGParserPathCommandClose>(finish);
}

// ---------------------------------------------------------------------------
// TdxSVGPath

void TdxSVGPath::FromString(const rtl::String& S)
{
  Reset();
  FCommandLine = S;
  if (S.empty())
    return;
  rtl::TOwnedPtr<TdxSVGParserPath> parser(rtl::New<TdxSVGParserPath>());
  parser->Parse(S);
  for (int i = 0; i < parser->CommandCount(); ++i)
    parser->GetCommand(i)->Append(this);
}

void TdxSVGPath::Assign(TdxGPPath* ASource)
{
  if (!rtl::Is<TdxSVGPath>(ASource))
    throw EInvalidArgument(L"");
  inherited::Assign(ASource);
  FCommandLine = static_cast<TdxSVGPath*>(ASource)->FCommandLine;
}

// ---------------------------------------------------------------------------
// TdxSVGParserTransform

void TdxSVGParserTransform::Parse(const rtl::String& S, TdxMatrix* AMatrix)
{
  size_t start = 0;
  while (start < S.size()) {
    size_t finish = S.find(L')', start);
    if (finish == rtl::String::npos)
      finish = S.size();
    const rtl::String piece = rtl::Trim(S.substr(start, finish - start));
    start = finish + 1;
    const size_t bracket = piece.find(L'(');
    if (bracket == rtl::String::npos)
      continue;
    // Operators may be separated by commas as well as blanks.
    const size_t nameStart = std::min(piece.find_first_not_of(L", \t\r\n"), bracket);
    const rtl::String name = piece.substr(nameStart, bracket - nameStart);
    const auto found = std::find_if(std::begin(TransformOperators), std::end(TransformOperators),
                                    [&](const TdxSVGTransformOperator& AOperator) { return name == AOperator.Name; });
    if (found == std::end(TransformOperators))
      continue;
    const XFORM step = found->Build(TdxSVGParserNumbers::AsNumbers(piece.substr(bracket + 1)));
    const XFORM combined = cxXFormCombine(step, AMatrix->GetXForm());
    AMatrix->Assign(combined.eM11, combined.eM12, combined.eM21, combined.eM22, combined.eDx, combined.eDy);
  }
}
