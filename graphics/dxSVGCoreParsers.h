// The readers of SVG attribute texts:
// - TdxSVGValue, a length with its unit, and its conversion to pixels;
// - number, point, length, rectangle, colour, inline-style and font texts;
// - TdxSVGParserPath, path data as a list of drawing commands (arcs become
//   Bezier curves), and TdxSVGPath, the graphics path that keeps its text;
// - TdxSVGParserTransform, transform lists composed onto a matrix.
// Numbers are always read with "." as the decimal point, whatever the
// user's locale says.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <vector>

#include "core/cxGeometry.h"
#include "graphics/dxCoreGraphics.h"
#include "graphics/dxGDIPlusClasses.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Graphics.h"

// A value outside what an operation can take (a percentage where no base is
// known, a path of the wrong class).
class EInvalidArgument : public rtl::EMathError {
 public:
  using EMathError::EMathError;
  const wchar_t* ClassName() const override { return L"EInvalidArgument"; }
};

class TdxSVGStyle;

// ---------------------------------------------------------------------------
// Lengths

// In the order of the suffixes "px", "mm", "cm", "in", "pc", "pt", "%".
enum TdxSVGUnitsType { utPx, utMm, utCm, utIn, utPc, utPt, utPercents };

struct TdxSVGValue {
  float Data;
  TdxSVGUnitsType UnitsType;

  static TdxSVGValue Create(float AValue, TdxSVGUnitsType AUnitsType = utPx);
  // Zero within the single-precision tolerance (1E-4).
  bool IsEmpty() const;
  // Raises EInvalidArgument for a percentage, which needs a base.
  float ToPixels(int ATargetDPI) const;
  // A percentage is a share of AParentSize.
  float ToPixels(float AParentSize, int ATargetDPI) const;
};

// The suffix of a unit as written after a number.
const wchar_t* dxSVGUnitSuffix(TdxSVGUnitsType AUnitsType);

using TdxSVGValues = std::vector<float>;
using TdxSVGPoints = std::vector<TdxPointF>;

// ---------------------------------------------------------------------------
// Texts

class TdxSVGParserNumbers {
 public:
  TdxSVGParserNumbers() = delete;

  // Every character other than digits, "e", "E", signs and dots separates
  // numbers; a sign or a second dot starts the next one ("1.5.5" is 1.5 and
  // 0.5, "30-40" is 30 and -40). Pieces that are no number are dropped.
  static TdxSVGValues AsNumbers(const rtl::String& S);
  static void AsNumbers(const rtl::String& S, const std::function<void(float)>& AProc);
  // The numbers in pairs; an odd last number is dropped.
  static void AsPoints(const rtl::String& S, TdxSVGPoints& AList);
  // An rtl exception raised by AProc ends the walk quietly.
  static void AsPoints(const rtl::String& S, const std::function<void(const TdxPointF&)>& AProc);
  static void AsPoints(const TdxSVGValues& AValues, const std::function<void(const TdxPointF&)>& AProc);
};

class TdxSVGParserValue {
 public:
  TdxSVGParserValue() = delete;
  // A number with an optional unit suffix (any case, blanks allowed between);
  // no suffix is px. False for anything else.
  static bool Parse(const rtl::String& S, TdxSVGValue& AValue);
};

class TdxSVGParserRect {
 public:
  TdxSVGParserRect() = delete;
  // "x y w h", optionally after "new"; anything but four numbers is the
  // empty rectangle.
  static TdxRectF Parse(const rtl::String& S);
};

class TdxSVGParserColor {
 public:
  TdxSVGParserColor() = delete;
  // "rgb(r, g, b)" with each channel clamped to 0..255, "inherit" (the
  // default marker), "#RRGGBB", "#RGB" or a colour name; anything else,
  // "none" included, is 0.
  static TdxAlphaColor Parse(const rtl::String& S);
};

class TdxSVGParserInlineStyle {
 public:
  TdxSVGParserInlineStyle() = delete;
  // "name: value; ..." into the style's properties; a later value of a name
  // replaces the earlier one.
  static void Parse(TdxSVGStyle* AStyle, const rtl::String& S);
  // The trimmed name and value of each piece that has a ":", in order.
  static void Parse(const rtl::String& S, const std::function<void(const rtl::String&, const rtl::String&)>& AProc);
};

// The font shorthand ("italic bold 12px Arial").
class TdxSVGFontStyleString {
 public:
  TdxSVGFontStyleString() = delete;

  static rtl::String Build(const rtl::String& AName, float ASize, vcl::TFontStyles AStyles);
  // True when a name and a size above 0 were found. The first word that is
  // neither a style nor a length is the name and ends the walk.
  static bool Parse(const rtl::String& S, rtl::String& AName, float& ASize, vcl::TFontStyles& AStyles);
  // "bold", "italic", "underline", "line-through", case-sensitive.
  static bool TryStringToFontStyle(const rtl::String& S, vcl::TFontStyle& AStyle);
};

// ---------------------------------------------------------------------------
// Path data

class TdxSVGParserPathCommand : public rtl::TObject {
  RTL_CLASS(TdxSVGParserPathCommand, rtl::TObject)

 public:
  virtual void Append(TdxGPPath*) {}

  TdxPointF FinishPoint;
};

class TdxSVGParserPathCommandMoveTo : public TdxSVGParserPathCommand {
  RTL_CLASS(TdxSVGParserPathCommandMoveTo, TdxSVGParserPathCommand)
};

class TdxSVGParserPathCommandOpen : public TdxSVGParserPathCommand {
  RTL_CLASS(TdxSVGParserPathCommandOpen, TdxSVGParserPathCommand)

 public:
  void Append(TdxGPPath* APath) override;
};

class TdxSVGParserPathCommandClose : public TdxSVGParserPathCommand {
  RTL_CLASS(TdxSVGParserPathCommandClose, TdxSVGParserPathCommand)

 public:
  void Append(TdxGPPath* APath) override;
};

class TdxSVGParserPathCommandLine : public TdxSVGParserPathCommand {
  RTL_CLASS(TdxSVGParserPathCommandLine, TdxSVGParserPathCommand)

 public:
  void Append(TdxGPPath* APath) override;

  TdxPointF StartPoint;
};

class TdxSVGParserPathCommandCurveTo : public TdxSVGParserPathCommand {
  RTL_CLASS(TdxSVGParserPathCommandCurveTo, TdxSVGParserPathCommand)

 public:
  void Append(TdxGPPath* APath) override;

  TdxPointF StartPoint;
  TdxPointF Point1;
  TdxPointF Point2;
};

class TdxSVGParserPathCommandQuadraticCurveTo : public TdxSVGParserPathCommand {
  RTL_CLASS(TdxSVGParserPathCommandQuadraticCurveTo, TdxSVGParserPathCommand)

 public:
  // As the cubic curve with the same shape.
  void Append(TdxGPPath* APath) override;

  TdxPointF MiddlePoint;
  TdxPointF StartPoint;
};

class TdxSVGParserPathCommandArc : public TdxSVGParserPathCommand {
  RTL_CLASS(TdxSVGParserPathCommandArc, TdxSVGParserPathCommand)

 public:
  // One Bezier curve per quarter turn or less; a line when a radius is 0,
  // nothing when the arc ends where it starts.
  void Append(TdxGPPath* APath) override;

  float Angle;
  bool LargeArc;
  TdxPointF Radius;
  TdxPointF StartPoint;
  bool Sweep;
};

class TdxSVGParserPath : public rtl::TObject {
  RTL_CLASS(TdxSVGParserPath, rtl::TObject)

 public:
  void Create();
  void Destroy() override;

  // Appends the commands of S. An "m" without coordinates raises
  // EArgumentOutOfRangeException.
  void Parse(const rtl::String& S);
  int CommandCount() const { return static_cast<int>(FCommands.size()); }
  // Raises EListError outside 0..CommandCount - 1.
  TdxSVGParserPathCommand* GetCommand(int Index) const;

 protected:
  using TCommandProc = void (TdxSVGParserPath::*)(const rtl::String& AArguments, bool ARelative);

  virtual void RegisterCommands();
  void RegisterCommand(rtl::Char ACommand, TCommandProc AProc) { FCommandProcs[ACommand] = AProc; }

  void DoArc(const rtl::String& AArguments, bool ARelative);
  void DoClose(const rtl::String& AArguments, bool ARelative);
  void DoCurveTo(const rtl::String& AArguments, bool ARelative);
  void DoHorizontalLineTo(const rtl::String& AArguments, bool ARelative);
  void DoLineTo(const rtl::String& AArguments, bool ARelative);
  void DoMoveTo(const rtl::String& AArguments, bool ARelative);
  void DoQuadraticCurveTo(const rtl::String& AArguments, bool ARelative);
  void DoSmoothCurveTo(const rtl::String& AArguments, bool ARelative);
  void DoSmoothQuadraticCurveTo(const rtl::String& AArguments, bool ARelative);
  void DoVerticalLineTo(const rtl::String& AArguments, bool ARelative);

 private:
  void ProcessCommand(const rtl::String& APiece);
  TdxSVGParserPathCommand* LastCommand() const { return FCommands.empty() ? nullptr : FCommands.back().get(); }
  TdxPointF CurrentPoint() const;
  TdxPointF Absolute(const TdxPointF& P, const TdxPointF& ACurrent, bool ARelative) const;
  const TdxSVGPoints& Points(const rtl::String& AArguments);
  template <class T>
  T* AddCommand(const TdxPointF& AFinish);

  std::map<rtl::Char, TCommandProc> FCommandProcs;
  std::vector<rtl::TOwnedPtr<TdxSVGParserPathCommand>> FCommands;
  TdxSVGPoints FBufferPoints;
};

// A graphics path that keeps the path data it was built from.
class TdxSVGPath : public TdxGPPath {
  RTL_CLASS(TdxSVGPath, TdxGPPath)

 public:
  // Replaces the figures by those of S.
  void FromString(const rtl::String& S);
  const rtl::String& ToString() const { return FCommandLine; }
  // Takes only another TdxSVGPath (EInvalidArgument otherwise): text and
  // figures.
  void Assign(TdxGPPath* ASource) override;

 private:
  rtl::String FCommandLine;
};

// ---------------------------------------------------------------------------
// Transform lists

class TdxSVGParserTransform {
 public:
  TdxSVGParserTransform() = delete;
  // "translate(10 20) scale(2)", the operators separated by blanks or
  // commas, each applied to points before what comes after it in the text
  // and before AMatrix's own value. Unknown operators are skipped.
  static void Parse(const rtl::String& S, TdxMatrix* AMatrix);
};
