// The SVG element tree: paints, the attribute conversions, the elements'
// reading and writing, styles and the importer.
#include "graphics/dxSVGCore.h"

#include <algorithm>
#include <cmath>

#include "core/dxCore.h"
#include "platform/rtl/SysUtilsFormat.h"

namespace {

constexpr float SVGTolerance = 1e-4f;

bool SameFloat(float A, float B)
{
  return std::fabs(A - B) <= SVGTolerance;
}

TdxXMLString ToUTF8(const rtl::String& S)
{
  return dxEncodeCodePageString(S, CP_UTF8).Bytes();
}

// Attribute readers: only attributes that are present change a value.
bool ReadText(TdxXMLNode* ANode, const char* AName, rtl::String& AValue)
{
  TdxXMLNodeAttribute* attribute = nullptr;
  if (!ANode->GetAttributes()->Find(AName, attribute))
    return false;
  AValue = attribute->GetValueAsString();
  return true;
}

// Text that is no number raises the platform's conversion error.
bool ReadNumber(TdxXMLNode* ANode, const char* AName, float& AValue)
{
  TdxXMLNodeAttribute* attribute = nullptr;
  if (!ANode->GetAttributes()->Find(AName, attribute))
    return false;
  AValue = static_cast<float>(attribute->GetValueAsFloat());
  return true;
}

// A length that does not parse is 0 px.
void ReadLength(TdxXMLNode* ANode, const char* AName, TdxSVGValue& AValue)
{
  rtl::String text;
  if (ReadText(ANode, AName, text) && !TdxSVGParserValue::Parse(text, AValue))
    AValue = TdxSVGValue::Create(0);
}

void ReadPaint(TdxXMLNode* ANode, const char* AName, TdxSVGFill& AValue)
{
  rtl::String text;
  if (ReadText(ANode, AName, text))
    AValue = TdxSVGAttributeConverter::PaintFromText(text);
}

void Write(TdxXMLNode* ANode, const char* AName, const rtl::String& AValue)
{
  ANode->GetAttributes()->Add(AName, AValue);
}

void WriteLength(TdxXMLNode* ANode, const char* AName, const TdxSVGValue& AValue)
{
  Write(ANode, AName, TdxSVGAttributeConverter::LengthToText(AValue));
}

void WriteNumber(TdxXMLNode* ANode, const char* AName, float AValue)
{
  Write(ANode, AName, TdxSVGAttributeConverter::NumberToText(AValue));
}

// Picks the value of the exact text from the table, else AOther.
template <class T, size_t N>
T FromTable(const rtl::String& AText, const std::pair<const wchar_t*, T> (&ATable)[N], T AOther)
{
  for (const auto& [text, value] : ATable)
    if (AText == text)
      return value;
  return AOther;
}

template <class T, size_t N>
const wchar_t* ToTable(T AValue, const std::pair<const wchar_t*, T> (&ATable)[N])
{
  for (const auto& [text, value] : ATable)
    if (AValue == value)
      return text;
  return L"";
}

constexpr std::pair<const wchar_t*, TdxSVGFillMode> FillModes[] = {
    {L"nonzero", fmNonZero}, {L"evenodd", fmEvenOdd}, {L"inherit", fmInherit}};
constexpr std::pair<const wchar_t*, TdxSVGLineCapStyle> LineCaps[] = {
    {L"", lcsDefault}, {L"butt", lcsButt}, {L"square", lcsSquare}, {L"round", lcsRound}};
constexpr std::pair<const wchar_t*, TdxGpLineJoin> LineJoins[] = {{L"miter", Gdiplus::LineJoinMiter},
                                                                   {L"bevel", Gdiplus::LineJoinBevel},
                                                                   {L"round", Gdiplus::LineJoinRound},
                                                                   {L"", Gdiplus::LineJoinMiterClipped}};
constexpr std::pair<const wchar_t*, TdxSVGTextAnchor> TextAnchors[] = {
    {L"start", taStart}, {L"middle", taMiddle}, {L"end", taEnd}, {L"inherit", taInherit}};
constexpr std::pair<const wchar_t*, TdxSVGContentUnits> ContentUnits[] = {
    {L"userSpaceOnUse", cuUserSpaceOnUse}, {L"objectBoundingBox", cuObjectBoundingBox}};

struct TdxSVGTag {
  const char* Name;
  rtl::TClass (*Class)() noexcept;
};

constexpr TdxSVGTag SVGTags[] = {
    {"circle", &TdxSVGElementCircle::StaticClass},
    {"clipPath", &TdxSVGElementClipPath::StaticClass},
    {"defs", &TdxSVGElementNeverRendered::StaticClass},
    {"ellipse", &TdxSVGElementEllipse::StaticClass},
    {"g", &TdxSVGElementGroup::StaticClass},
    {"line", &TdxSVGElementLine::StaticClass},
    {"linearGradient", &TdxSVGElementLinearGradient::StaticClass},
    {"path", &TdxSVGElementPath::StaticClass},
    {"polygon", &TdxSVGElementPolygon::StaticClass},
    {"polyline", &TdxSVGElementPolyline::StaticClass},
    {"rect", &TdxSVGElementRectangle::StaticClass},
    {"stop", &TdxSVGElementLinearGradientStop::StaticClass},
    {"svg", &TdxSVGElementRoot::StaticClass},
    {"text", &TdxSVGElementText::StaticClass},
    {"tspan", &TdxSVGElementTSpan::StaticClass},
    {"use", &TdxSVGElementUse::StaticClass},
};

bool StartsWithText(const rtl::String& S, const rtl::String& APrefix)
{
  return S.size() >= APrefix.size() && rtl::SameText(S.substr(0, APrefix.size()), APrefix);
}

bool EndsWithText(const rtl::String& S, const rtl::String& ASuffix)
{
  return S.size() >= ASuffix.size() && rtl::SameText(S.substr(S.size() - ASuffix.size()), ASuffix);
}

// The pieces of S between the separator characters, empty ones included.
std::vector<rtl::String> SplitText(const rtl::String& S, const wchar_t* ASeparators)
{
  std::vector<rtl::String> result;
  size_t start = 0;
  while (true) {
    const size_t finish = S.find_first_of(ASeparators, start);
    result.push_back(S.substr(start, finish == rtl::String::npos ? rtl::String::npos : finish - start));
    if (finish == rtl::String::npos)
      return result;
    start = finish + 1;
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// TdxSVGFill

TdxSVGFill TdxSVGFill::Create(TdxAlphaColor AColor)
{
  TdxSVGFill result{};
  result.FColor = AColor;
  return result;
}

TdxSVGFill TdxSVGFill::Create(const rtl::String& AReference)
{
  TdxSVGFill result{};
  result.FIsReference = true;
  result.FReference = AReference;
  return result;
}

void TdxSVGFill::UpdateReference(const rtl::String& AOld, const rtl::String& ANew)
{
  if (FIsReference && rtl::SameText(FReference, AOld))
    FReference = ANew;
}

// ---------------------------------------------------------------------------
// TdxSVGAttributeConverter

rtl::String TdxSVGAttributeConverter::ReferenceFromText(const rtl::String& S)
{
  rtl::String text = rtl::Trim(S);
  if (StartsWithText(text, L"url(") && EndsWithText(text, L")"))
    text = text.substr(4, text.size() - 5);
  return !text.empty() && text[0] == L'#' ? text.substr(1) : rtl::String();
}

TdxSVGFill TdxSVGAttributeConverter::PaintFromText(const rtl::String& S)
{
  if (StartsWithText(rtl::Trim(S), L"url(")) {
    const rtl::String id = ReferenceFromText(S);
    return id.empty() ? TdxSVGFill::Default() : TdxSVGFill::Create(id);
  }
  return TdxSVGFill::Create(TdxSVGParserColor::Parse(S));
}

rtl::String TdxSVGAttributeConverter::NumberToText(float AValue)
{
  return rtl::FormatFloat(L"0.#####", AValue, dxCultureNeutralFormatSettings());
}

rtl::String TdxSVGAttributeConverter::LengthToText(const TdxSVGValue& AValue)
{
  return NumberToText(AValue.Data) + dxSVGUnitSuffix(AValue.UnitsType);
}

rtl::String TdxSVGAttributeConverter::ColorToText(TdxAlphaColor AColor)
{
  return AColor == TdxAlphaColorDefault ? rtl::String() : TdxAlphaColors::ToText(AColor, false);
}

rtl::String TdxSVGAttributeConverter::PaintToText(const TdxSVGFill& AFill)
{
  if (AFill.IsReference())
    return L"url(#" + AFill.AsReference() + L")";
  return AFill.IsEmpty() ? rtl::String(L"none") : ColorToText(AFill.AsColor());
}

rtl::String TdxSVGAttributeConverter::MatrixToText(TdxMatrix* AMatrix)
{
  const XFORM& m = AMatrix->GetXForm();
  return L"matrix(" + NumberToText(m.eM11) + L" " + NumberToText(m.eM12) + L" " + NumberToText(m.eM21) + L" " +
         NumberToText(m.eM22) + L" " + NumberToText(m.eDx) + L" " + NumberToText(m.eDy) + L")";
}

rtl::String TdxSVGAttributeConverter::RectToText(const TdxRectF& ARect)
{
  return NumberToText(ARect.Left) + L" " + NumberToText(ARect.Top) + L" " + NumberToText(ARect.Right - ARect.Left) +
         L" " + NumberToText(ARect.Bottom - ARect.Top);
}

rtl::String TdxSVGAttributeConverter::NumbersToText(const TdxSVGValues& AValues)
{
  rtl::String result;
  for (float value : AValues)
    result += (result.empty() ? L"" : L",") + NumberToText(value);
  return result;
}

rtl::String TdxSVGAttributeConverter::PointsToText(const TdxSVGPoints& APoints)
{
  rtl::String result;
  for (const TdxPointF& point : APoints)
    result += (result.empty() ? L"" : L" ") + NumberToText(point.X) + L"," + NumberToText(point.Y);
  return result;
}

// ---------------------------------------------------------------------------
// Tag map

TdxSVGElementClass dxSVGElementClassByTag(const TdxXMLString& ATag)
{
  for (const TdxSVGTag& tag : SVGTags)
    if (ATag == tag.Name)
      return TdxSVGElementClass(tag.Class());
  return nullptr;
}

TdxXMLString dxSVGTagByElementClass(TdxSVGElementClass AClass)
{
  for (const TdxSVGTag& tag : SVGTags)
    if (AClass.ClassType() == tag.Class())
      return tag.Name;
  return {};
}

// ---------------------------------------------------------------------------
// TdxSVGElement

void TdxSVGElement::Create()
{
  inherited::Create();
  FFill = TdxSVGFill::Default();
  FStroke = TdxSVGFill::Default();
  FFillMode = fmNonZero;
  FFillOpacity = 1;
  FOpacity = 1;
  FStrokeDashOffset = -1;
  FStrokeLineCap = lcsDefault;
  FStrokeLineJoin = Gdiplus::LineJoinMiter;
  FStrokeMiterLimit = 4;
  FTransform = rtl::New<TdxMatrix>();
}

void TdxSVGElement::Create(TdxSVGElement* AParent)
{
  Create();
  SetParent(AParent);
}

void TdxSVGElement::Destroy()
{
  FreeChildren();
  rtl::FreeAndNil(FTransform);
  inherited::Destroy();
}

void TdxSVGElement::FreeChildren()
{
  std::vector<TdxSVGElement*> children;
  children.swap(FChildren);
  for (TdxSVGElement* child : children)
    rtl::Free(child);
}

void TdxSVGElement::Assign(rtl::TPersistent* Source)
{
  if (!rtl::Is<TdxSVGElement>(Source) || Source == this) {
    inherited::Assign(Source);
    return;
  }
  auto* source = static_cast<TdxSVGElement*>(Source);
  FreeChildren();
  DoAssign(source);
  for (TdxSVGElement* child : source->FChildren)
    child->Clone()->SetParent(this);
}

void TdxSVGElement::DoAssign(TdxSVGElement* ASource)
{
  rtl::TOwnedPtr<TdxXMLNode> node(rtl::New<TdxXMLNode>());
  ASource->SaveToNode(node.get());
  LoadFromNode(node.get());
}

TdxSVGElement* TdxSVGElement::Clone()
{
  rtl::TOwnedPtr<TdxSVGElement> result(TdxSVGElementClass(ClassType()).Create());
  result->Assign(this);
  return result.release();
}

TdxSVGElement* TdxSVGElement::GetElement(int Index) const
{
  if (FChildren.empty() || Index < 0 || Index >= Count()) {
    const rtl::String message = rtl::Format(L"List index out of bounds (%d)", {Index});
    if (FChildren.empty())
      throw EInvalidArgument(message);
    throw rtl::EListError(message);
  }
  return FChildren[Index];
}

void TdxSVGElement::SetParent(TdxSVGElement* AValue)
{
  if (AValue == FParent)
    return;
  if (FParent)
    std::erase(FParent->FChildren, this);
  FParent = AValue;
  if (FParent)
    FParent->FChildren.push_back(this);
}

TdxSVGElementRoot* TdxSVGElement::GetRoot()
{
  return FParent ? FParent->GetRoot() : nullptr;
}

bool TdxSVGElement::FindByID(const rtl::String& ID, TdxSVGElement*& AElement)
{
  if (ID.empty())
    return false;
  for (TdxSVGElement* child : FChildren)
    if (child->FID.size() == ID.size() && rtl::SameText(child->FID, ID)) {
      AElement = child;
      return true;
    }
  for (TdxSVGElement* child : FChildren)
    if (child->FindByID(ID, AElement))
      return true;
  return false;
}

void TdxSVGElement::UpdateReferences(const rtl::String& AOldID, const rtl::String& ANewID)
{
  if (rtl::SameText(FID, AOldID))
    FID = ANewID;
  if (rtl::SameText(FClipPath, AOldID))
    FClipPath = ANewID;
  FFill.UpdateReference(AOldID, ANewID);
  FStroke.UpdateReference(AOldID, ANewID);
  for (TdxSVGElement* child : FChildren)
    child->UpdateReferences(AOldID, ANewID);
}

void TdxSVGElement::SetOpacity(float AValue)
{
  FOpacity = std::clamp(AValue, 0.0f, 1.0f);
}

void TdxSVGElement::SetFillOpacity(float AValue)
{
  FFillOpacity = std::clamp(AValue, 0.0f, 1.0f);
}

void TdxSVGElement::LoadFromNode(TdxXMLNode* ANode)
{
  rtl::String text;
  float number = 0;
  ReadText(ANode, "id", FID);
  ReadText(ANode, "class", FStyleName);
  if (ReadText(ANode, "clip-path", text))
    FClipPath = TdxSVGAttributeConverter::ReferenceFromText(text);
  ReadPaint(ANode, "fill", FFill);
  if (ReadText(ANode, "fill-rule", text))
    FFillMode = FromTable(text, FillModes, fmInherit);
  if (ReadNumber(ANode, "fill-opacity", number))
    SetFillOpacity(number);
  if (ReadNumber(ANode, "opacity", number))
    SetOpacity(number);
  ReadPaint(ANode, "stroke", FStroke);
  if (ReadText(ANode, "stroke-dasharray", text))
    FStrokeDashArray = text == L"none" ? TdxSVGValues() : TdxSVGParserNumbers::AsNumbers(text);
  ReadNumber(ANode, "stroke-dashoffset", FStrokeDashOffset);
  if (ReadText(ANode, "stroke-width", text)) {
    TdxSVGValue width = TdxSVGValue::Create(0);
    TdxSVGParserValue::Parse(text, width);
    FStrokeSize = width.ToPixels(0, 96);
  }
  if (ReadText(ANode, "stroke-linecap", text))
    FStrokeLineCap = FromTable(text, LineCaps, lcsDefault);
  if (ReadText(ANode, "stroke-linejoin", text))
    FStrokeLineJoin = FromTable(text, LineJoins, Gdiplus::LineJoinMiter);
  ReadNumber(ANode, "stroke-miterlimit", FStrokeMiterLimit);
  if (ReadText(ANode, "transform", text))
    TdxSVGParserTransform::Parse(text, FTransform);
}

void TdxSVGElement::SaveToNode(TdxXMLNode* ANode)
{
  if (!FID.empty())
    Write(ANode, "id", FID);
  if (!FClipPath.empty())
    Write(ANode, "clip-path", TdxSVGAttributeConverter::PaintToText(TdxSVGFill::Create(FClipPath)));
  if (!FFill.IsDefault())
    Write(ANode, "fill", TdxSVGAttributeConverter::PaintToText(FFill));
  if (FFillMode != fmNonZero)
    Write(ANode, "fill-rule", ToTable(FFillMode, FillModes));
  if (!SameFloat(FFillOpacity, 1))
    WriteNumber(ANode, "fill-opacity", FFillOpacity);
  if (!SameFloat(FOpacity, 1))
    WriteNumber(ANode, "opacity", FOpacity);
  if (!FStroke.IsDefault())
    Write(ANode, "stroke", TdxSVGAttributeConverter::PaintToText(FStroke));
  if (!FStrokeDashArray.empty())
    Write(ANode, "stroke-dasharray", TdxSVGAttributeConverter::NumbersToText(FStrokeDashArray));
  if (!SameFloat(FStrokeDashOffset, -1))
    WriteNumber(ANode, "stroke-dashoffset", FStrokeDashOffset);
  if (FStrokeLineCap != lcsDefault)
    Write(ANode, "stroke-linecap", ToTable(FStrokeLineCap, LineCaps));
  if (FStrokeLineJoin != Gdiplus::LineJoinMiter)
    Write(ANode, "stroke-linejoin", ToTable(FStrokeLineJoin, LineJoins));
  if (!SameFloat(FStrokeMiterLimit, 4))
    WriteNumber(ANode, "stroke-miterlimit", FStrokeMiterLimit);
  if (!SameFloat(FStrokeSize, 0))
    WriteLength(ANode, "stroke-width", TdxSVGValue::Create(FStrokeSize));
  if (!FTransform->IsIdentity())
    Write(ANode, "transform", TdxSVGAttributeConverter::MatrixToText(FTransform));
}

// ---------------------------------------------------------------------------
// Element classes

void TdxSVGElementGroup::LoadFromNode(TdxXMLNode* ANode)
{
  inherited::LoadFromNode(ANode);
  ReadText(ANode, "tag", FTag);
}

void TdxSVGElementGroup::SaveToNode(TdxXMLNode* ANode)
{
  inherited::SaveToNode(ANode);
  if (!FTag.empty())
    Write(ANode, "tag", FTag);
}

void TdxSVGElementRoot::Create()
{
  inherited::Create();
  FBackground = rtl::New<TdxSVGRect>();
  FViewBox = rtl::New<TdxSVGRect>();
}

void TdxSVGElementRoot::Destroy()
{
  rtl::FreeAndNil(FBackground);
  rtl::FreeAndNil(FViewBox);
  inherited::Destroy();
}

void TdxSVGElementRoot::LoadFromNode(TdxXMLNode* ANode)
{
  inherited::LoadFromNode(ANode);
  ReadLength(ANode, "x", FX);
  ReadLength(ANode, "y", FY);
  ReadLength(ANode, "height", FHeight);
  ReadLength(ANode, "width", FWidth);
  rtl::String text;
  if (ReadText(ANode, "enable-background", text))
    FBackground->FValue = TdxSVGParserRect::Parse(text);
  if (ReadText(ANode, "viewBox", text))
    FViewBox->FValue = TdxSVGParserRect::Parse(text);
}

void TdxSVGElementRoot::SaveToNode(TdxXMLNode* ANode)
{
  inherited::SaveToNode(ANode);
  WriteLength(ANode, "x", FX);
  WriteLength(ANode, "y", FY);
  WriteLength(ANode, "height", FHeight);
  WriteLength(ANode, "width", FWidth);
  if (!cxRectFHasNoArea(FBackground->FValue))
    Write(ANode, "enable-background", L"new " + TdxSVGAttributeConverter::RectToText(FBackground->FValue));
  if (!cxRectFHasNoArea(FViewBox->FValue))
    Write(ANode, "viewBox", TdxSVGAttributeConverter::RectToText(FViewBox->FValue));
}

TdxSizeF TdxSVGElementRoot::Size() const
{
  TdxSizeF result = TdxSizeF::Create(FViewBox->Width(), FViewBox->Height());
  if (!FWidth.IsEmpty() && FWidth.UnitsType != utPercents)
    result.cx = FWidth.ToPixels(96);
  if (!FHeight.IsEmpty() && FHeight.UnitsType != utPercents)
    result.cy = FHeight.ToPixels(96);
  return result;
}

void TdxSVGElementCircle::LoadFromNode(TdxXMLNode* ANode)
{
  inherited::LoadFromNode(ANode);
  ReadLength(ANode, "cx", FCenterX);
  ReadLength(ANode, "cy", FCenterY);
  ReadLength(ANode, "r", FRadius);
}

void TdxSVGElementCircle::SaveToNode(TdxXMLNode* ANode)
{
  inherited::SaveToNode(ANode);
  WriteLength(ANode, "cx", FCenterX);
  WriteLength(ANode, "cy", FCenterY);
  WriteLength(ANode, "r", FRadius);
}

void TdxSVGElementEllipse::LoadFromNode(TdxXMLNode* ANode)
{
  inherited::LoadFromNode(ANode);
  ReadLength(ANode, "cx", FCenterX);
  ReadLength(ANode, "cy", FCenterY);
  ReadLength(ANode, "rx", FRadiusX);
  ReadLength(ANode, "ry", FRadiusY);
}

void TdxSVGElementEllipse::SaveToNode(TdxXMLNode* ANode)
{
  inherited::SaveToNode(ANode);
  WriteLength(ANode, "cx", FCenterX);
  WriteLength(ANode, "cy", FCenterY);
  WriteLength(ANode, "rx", FRadiusX);
  WriteLength(ANode, "ry", FRadiusY);
}

void TdxSVGElementLine::LoadFromNode(TdxXMLNode* ANode)
{
  inherited::LoadFromNode(ANode);
  ReadLength(ANode, "x1", FX1);
  ReadLength(ANode, "y1", FY1);
  ReadLength(ANode, "x2", FX2);
  ReadLength(ANode, "y2", FY2);
}

void TdxSVGElementLine::SaveToNode(TdxXMLNode* ANode)
{
  inherited::SaveToNode(ANode);
  WriteLength(ANode, "x1", FX1);
  WriteLength(ANode, "y1", FY1);
  WriteLength(ANode, "x2", FX2);
  WriteLength(ANode, "y2", FY2);
}

void TdxSVGElementPath::Create()
{
  inherited::Create();
  FPath = rtl::New<TdxSVGPath>();
}

void TdxSVGElementPath::Destroy()
{
  rtl::FreeAndNil(FPath);
  inherited::Destroy();
}

void TdxSVGElementPath::LoadFromNode(TdxXMLNode* ANode)
{
  inherited::LoadFromNode(ANode);
  rtl::String text;
  if (ReadText(ANode, "d", text))
    FPath->FromString(text);
}

void TdxSVGElementPath::SaveToNode(TdxXMLNode* ANode)
{
  inherited::SaveToNode(ANode);
  if (!FPath->ToString().empty())
    Write(ANode, "d", FPath->ToString());
}

void TdxSVGElementPolygon::LoadFromNode(TdxXMLNode* ANode)
{
  inherited::LoadFromNode(ANode);
  rtl::String text;
  if (ReadText(ANode, "points", text))
    TdxSVGParserNumbers::AsPoints(text, FPoints);
}

void TdxSVGElementPolygon::SaveToNode(TdxXMLNode* ANode)
{
  inherited::SaveToNode(ANode);
  if (!FPoints.empty())
    Write(ANode, "points", TdxSVGAttributeConverter::PointsToText(FPoints));
}

void TdxSVGElementRectangle::LoadFromNode(TdxXMLNode* ANode)
{
  inherited::LoadFromNode(ANode);
  ReadLength(ANode, "x", FX);
  ReadLength(ANode, "y", FY);
  ReadLength(ANode, "height", FHeight);
  ReadLength(ANode, "width", FWidth);
  ReadLength(ANode, "rx", FCornerRadiusX);
  ReadLength(ANode, "ry", FCornerRadiusY);
}

void TdxSVGElementRectangle::SaveToNode(TdxXMLNode* ANode)
{
  inherited::SaveToNode(ANode);
  WriteLength(ANode, "x", FX);
  WriteLength(ANode, "y", FY);
  WriteLength(ANode, "height", FHeight);
  WriteLength(ANode, "width", FWidth);
  WriteLength(ANode, "rx", FCornerRadiusX);
  WriteLength(ANode, "ry", FCornerRadiusY);
}

void TdxSVGElementText::Create()
{
  inherited::Create();
  FFontName = L"MS Sans Serif";
  FFontSize = 8;
  FTextAnchor = taStart;
}

void TdxSVGElementText::Destroy()
{
  rtl::FreeAndNil(FCachedFontFamily);
  inherited::Destroy();
}

void TdxSVGElementText::SetFont(const rtl::String& AValue)
{
  rtl::String name;
  float size = 0;
  vcl::TFontStyles styles;
  if (!TdxSVGFontStyleString::Parse(AValue, name, size, styles))
    return;
  FFontName = name;
  FFontSize = size;
  FFontStyles = styles;
}

void TdxSVGElementText::LoadFromNode(TdxXMLNode* ANode)
{
  inherited::LoadFromNode(ANode);
  if (!ANode->GetText().empty())
    FText = ANode->GetTextAsString();
  ReadLength(ANode, "x", FX);
  ReadLength(ANode, "y", FY);
  ReadLength(ANode, "dx", FDX);
  ReadLength(ANode, "dy", FDY);
  rtl::String text;
  if (ReadText(ANode, "font", text))
    SetFont(text);
  if (ReadText(ANode, "font-family", text)) {
    if (!text.empty() && (text.front() == L'"' || text.front() == L'\''))
      text.erase(0, 1);
    if (!text.empty() && (text.back() == L'"' || text.back() == L'\''))
      text.pop_back();
    FFontName = rtl::Trim(text);
  }
  TdxSVGValue size = TdxSVGValue::Create(0);
  if (ReadText(ANode, "font-size", text) && TdxSVGParserValue::Parse(text, size))
    FFontSize = size.ToPixels(0, 96);
  vcl::TFontStyle style;
  if (ReadText(ANode, "font-style", text) && TdxSVGFontStyleString::TryStringToFontStyle(text, style))
    FFontStyles.Include(style);
  if (ReadText(ANode, "font-weight", text) && TdxSVGFontStyleString::TryStringToFontStyle(text, style))
    FFontStyles.Include(style);
  if (ReadText(ANode, "text-anchor", text))
    FTextAnchor = FromTable(text, TextAnchors, taInherit);
}

void TdxSVGElementText::SaveToNode(TdxXMLNode* ANode)
{
  inherited::SaveToNode(ANode);
  ANode->SetTextAsString(FText);
  WriteLength(ANode, "x", FX);
  WriteLength(ANode, "y", FY);
  WriteLength(ANode, "dx", FDX);
  WriteLength(ANode, "dy", FDY);
  if (FTextAnchor != taInherit)
    Write(ANode, "text-anchor", ToTable(FTextAnchor, TextAnchors));
  rtl::String style = L"font: " + TdxSVGFontStyleString::Build(FFontName, FFontSize, FFontStyles) + L"; ";
  if (FFontStyles.Contains(vcl::TFontStyle::fsUnderline))
    style += L"font-style: underline;";
  Write(ANode, "style", style);
}

void TdxSVGElementTSpan::Create(TdxSVGElement* AParent)
{
  inherited::Create(AParent);
  if (rtl::Is<TdxSVGElementText>(AParent))
    DoAssign(AParent);
}

void TdxSVGElementUse::LoadFromNode(TdxXMLNode* ANode)
{
  inherited::LoadFromNode(ANode);
  ReadLength(ANode, "x", FX);
  ReadLength(ANode, "y", FY);
  rtl::String text;
  if (ReadText(ANode, "href", text) || ReadText(ANode, "xlink:href", text))
    FReference = TdxSVGAttributeConverter::ReferenceFromText(text);
}

void TdxSVGElementUse::SaveToNode(TdxXMLNode* ANode)
{
  inherited::SaveToNode(ANode);
  WriteLength(ANode, "x", FX);
  WriteLength(ANode, "y", FY);
  if (!FReference.empty())
    Write(ANode, "href", L"#" + FReference);
}

void TdxSVGElementUse::UpdateReferences(const rtl::String& AOldID, const rtl::String& ANewID)
{
  if (rtl::SameText(FReference, AOldID))
    FReference = ANewID;
  inherited::UpdateReferences(AOldID, ANewID);
}

void TdxSVGElementLinearGradientStop::Create()
{
  inherited::Create();
  FColorOpacity = 1;
}

void TdxSVGElementLinearGradientStop::LoadFromNode(TdxXMLNode* ANode)
{
  inherited::LoadFromNode(ANode);
  rtl::String text;
  if (ReadText(ANode, "stop-color", text))
    FColor = TdxSVGParserColor::Parse(text);
  TdxSVGValue opacity = TdxSVGValue::Create(0);
  if (ReadText(ANode, "stop-opacity", text)) {
    TdxSVGParserValue::Parse(text, opacity);
    FColorOpacity = opacity.ToPixels(0, 96);
  }
  ReadLength(ANode, "offset", FOffset);
}

void TdxSVGElementLinearGradientStop::SaveToNode(TdxXMLNode* ANode)
{
  inherited::SaveToNode(ANode);
  if (FColor != TdxAlphaColorDefault)
    Write(ANode, "stop-color", TdxSVGAttributeConverter::ColorToText(FColor));
  if (!SameFloat(FColorOpacity, 1))
    WriteNumber(ANode, "stop-opacity", FColorOpacity);
  WriteLength(ANode, "offset", FOffset);
}

void TdxSVGElementLinearGradient::Create()
{
  inherited::Create();
  FUnitsType = cuObjectBoundingBox;
  FX2 = TdxSVGValue::Create(1);
}

TdxSVGElementLinearGradientStop* TdxSVGElementLinearGradient::GetStop(int Index) const
{
  return rtl::As<TdxSVGElementLinearGradientStop>(GetElement(Index));
}

void TdxSVGElementLinearGradient::LoadFromNode(TdxXMLNode* ANode)
{
  inherited::LoadFromNode(ANode);
  ReadLength(ANode, "x1", FX1);
  ReadLength(ANode, "y1", FY1);
  ReadLength(ANode, "x2", FX2);
  ReadLength(ANode, "y2", FY2);
  rtl::String text;
  if (ReadText(ANode, "gradientUnits", text))
    FUnitsType = FromTable(text, ContentUnits, cuObjectBoundingBox);
}

void TdxSVGElementLinearGradient::SaveToNode(TdxXMLNode* ANode)
{
  inherited::SaveToNode(ANode);
  WriteLength(ANode, "x1", FX1);
  WriteLength(ANode, "y1", FY1);
  WriteLength(ANode, "x2", FX2);
  WriteLength(ANode, "y2", FY2);
  Write(ANode, "gradientUnits", ToTable(FUnitsType, ContentUnits));
}

// ---------------------------------------------------------------------------
// Styles

void TdxSVGParserInlineStyle::Parse(TdxSVGStyle* AStyle, const rtl::String& S)
{
  Parse(S, [&](const rtl::String& AName, const rtl::String& AValue) {
    AStyle->GetAttributes()->SetValue(ToUTF8(AName), ToUTF8(AValue));
  });
}

void TdxSVGStyle::Create(const rtl::String& AName)
{
  inherited::Create();
  FName = AName;
}

void TdxSVGStyles::Destroy()
{
  for (auto& [name, style] : FItems)
    rtl::Free(style);
  FItems.clear();
  inherited::Destroy();
}

TdxSVGStyle* TdxSVGStyles::Add(const rtl::String& AName)
{
  TdxSVGStyle*& style = FItems[AName];
  if (!style)
    style = rtl::New<TdxSVGStyle>(AName);
  return style;
}

rtl::String TdxSVGStyles::InlineName(rtl::TObject* AReference)
{
  return L"_inline_" + rtl::IntToHex(reinterpret_cast<std::uintptr_t>(AReference), 8);
}

TdxSVGStyle* TdxSVGStyles::AddInline(rtl::TObject* AReference)
{
  return Add(InlineName(AReference));
}

bool TdxSVGStyles::TryGetStyle(const rtl::String& AName, TdxSVGStyle*& AStyle) const
{
  if (AName.empty())
    return false;
  const auto found = FItems.find(AName);
  if (found == FItems.end())
    return false;
  AStyle = found->second;
  return true;
}

TdxSVGStyle* TdxSVGStyles::GetItem(const rtl::String& AName) const
{
  TdxSVGStyle* style = nullptr;
  if (!TryGetStyle(AName, style))
    throw rtl::EListError(L"Item not found");
  return style;
}

void TdxSVGStyles::ParseStyleSheet(const rtl::String& AText)
{
  for (const rtl::String& rule : SplitText(AText, L"}")) {
    if (rule.find(L'{') == rtl::String::npos)
      continue;
    const std::vector<rtl::String> parts = SplitText(rtl::Trim(rule), L"{");
    if (parts.size() != 2)
      continue;
    for (rtl::String selector : SplitText(parts[0], L",")) {
      selector = rtl::Trim(selector);
      if (!selector.empty() && selector[0] == L'.')
        selector.erase(0, 1);
      if (!selector.empty())
        TdxSVGParserInlineStyle::Parse(Add(selector), parts[1]);
    }
  }
}

void TdxSVGStyles::Apply(TdxSVGElement* AElement)
{
  TdxSVGStyle* style = nullptr;
  for (const rtl::String& name : SplitText(AElement->FStyleName, L" "))
    if (TryGetStyle(name, style))
      style->Apply(AElement);
  if (TryGetStyle(InlineName(AElement), style))
    style->Apply(AElement);
  for (int i = 0; i < AElement->Count(); ++i)
    Apply(AElement->GetElement(i));
}

// ---------------------------------------------------------------------------
// TdxSVGImporter

TdxXMLNode* TdxSVGImporter::FindSVGNode(TdxXMLDocument* ADocument)
{
  TdxXMLNode* node = nullptr;
  return ADocument->GetRoot()->FindChild("svg", node) ? node : nullptr;
}

bool TdxSVGImporter::Import(TdxXMLDocument* ADocument, TdxSVGElementRoot*& ARoot)
{
  TdxXMLNode* node = FindSVGNode(ADocument);
  if (!node)
    return false;
  // Built aside: a failure frees the partial tree and leaves ARoot alone.
  rtl::TOwnedPtr<TdxSVGStyles> styles(rtl::New<TdxSVGStyles>());
  rtl::TOwnedPtr<TdxSVGElementRoot> root(rtl::New<TdxSVGElementRoot>());
  ImportElement(root.get(), node, styles.get());
  styles->Apply(root.get());
  ARoot = root.release();
  return true;
}

void TdxSVGImporter::ImportElement(TdxSVGElement* AElement, TdxXMLNode* ANode, TdxSVGStyles* AStyles)
{
  AElement->LoadFromNode(ANode);
  rtl::String style;
  if (ReadText(ANode, "style", style))
    TdxSVGParserInlineStyle::Parse(AStyles->AddInline(AElement), style);
  for (TdxXMLNode* child = ANode->First(); child; child = child->Next())
    ImportNode(AElement, child, AStyles);
}

void TdxSVGImporter::ImportNode(TdxSVGElement* AParent, TdxXMLNode* ANode, TdxSVGStyles* AStyles)
{
  if (ANode->GetName() == "style") {
    AStyles->ParseStyleSheet(ANode->GetTextAsString());
    return;
  }
  const TdxSVGElementClass elementClass = dxSVGElementClassByTag(ANode->GetName());
  if (!elementClass)
    return;
  TdxSVGElement* element = elementClass.Create(AParent);
  // A style sheet rule named like the tag applies to elements without a
  // class.
  element->FStyleName = dxDecodeCodePageString(ANode->GetName(), CP_UTF8);
  ImportElement(element, ANode, AStyles);
}

bool TdxSVGImporter::GetSize(TdxXMLDocument* ADocument, TSize& ASize)
{
  TdxXMLNode* node = FindSVGNode(ADocument);
  if (!node)
    return false;
  rtl::TOwnedPtr<TdxSVGElementRoot> root(rtl::New<TdxSVGElementRoot>());
  root->LoadFromNode(node);
  const TdxSizeF size = root->Size();
  ASize = {static_cast<int>(std::lround(size.cx)), static_cast<int>(std::lround(size.cy))};
  return true;
}
