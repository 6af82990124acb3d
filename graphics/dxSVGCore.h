// The SVG image as a tree of elements, and how it draws:
// - TdxSVGFill, a paint that is a colour or a reference to another element;
// - TdxSVGElement and its element classes, which read and write their
//   attributes from and to XML nodes (dxSVGCore.cpp);
// - TdxSVGStyle and TdxSVGStyles, style sheets and inline styles applied
//   after an import, and TdxSVGImporter, which builds a tree from an XML
//   document (dxSVGCore.cpp);
// - the renderers the elements draw on: TdxSVGRenderer over a vector canvas
//   and TdxSVGRendererClipPath, which collects geometry into one clip path,
//   with the gradient-aware brush and pen (dxSVGCoreRenderer.cpp).
#pragma once

#include <windows.h>

#include <map>
#include <vector>

#include "core/cxGeometry.h"
#include "graphics/dxCoreGraphics.h"
#include "graphics/dxGDIPlusClasses.h"
#include "graphics/dxSVGCoreParsers.h"
#include "graphics/dxXMLDoc.h"
#include "platform/rtl/Classes.h"
#include "platform/vcl/Graphics.h"

class TdxSVGCustomRenderer;
class TdxSVGElement;
class TdxSVGElementRoot;
class TdxSVGStyles;

enum TdxSVGFillMode { fmNonZero, fmEvenOdd, fmInherit };
enum TdxSVGLineCapStyle { lcsDefault, lcsButt, lcsSquare, lcsRound };
enum TdxSVGTextAnchor { taStart, taMiddle, taEnd, taInherit };
enum TdxSVGContentUnits { cuUserSpaceOnUse, cuObjectBoundingBox };

// A paint: a colour (the default marker means "inherit") or the ID of an
// element that paints (a gradient).
struct TdxSVGFill {
  static TdxSVGFill Create(TdxAlphaColor AColor);
  static TdxSVGFill Create(const rtl::String& AReference);
  static TdxSVGFill Default() { return Create(TdxAlphaColorDefault); }

  bool IsDefault() const { return !FIsReference && FColor == TdxAlphaColorDefault; }
  bool IsReference() const { return FIsReference; }
  // A reference without an ID, or the colour 0.
  bool IsEmpty() const { return FIsReference ? FReference.empty() : FColor == 0; }
  TdxAlphaColor AsColor() const { return FIsReference ? 0 : FColor; }
  rtl::String AsReference() const { return FIsReference ? FReference : rtl::String(); }
  // A reference to AOld (compared without case) becomes one to ANew.
  void UpdateReference(const rtl::String& AOld, const rtl::String& ANew);

  bool FIsReference;
  TdxAlphaColor FColor;
  rtl::String FReference;
};

// The conversions between attribute texts and element values.
class TdxSVGAttributeConverter {
 public:
  TdxSVGAttributeConverter() = delete;

  // "url(#id)" or "#id"; anything else has an empty ID.
  static rtl::String ReferenceFromText(const rtl::String& S);
  // A reference for "url(...)", otherwise a colour (TdxSVGParserColor).
  static TdxSVGFill PaintFromText(const rtl::String& S);

  // At most five decimals, no trailing zeros, "." as the decimal point.
  static rtl::String NumberToText(float AValue);
  static rtl::String LengthToText(const TdxSVGValue& AValue);
  // "#RRGGBB"; the default marker is the empty text.
  static rtl::String ColorToText(TdxAlphaColor AColor);
  static rtl::String PaintToText(const TdxSVGFill& AFill);
  static rtl::String MatrixToText(TdxMatrix* AMatrix);
  // Left, top, width and height.
  static rtl::String RectToText(const TdxRectF& ARect);
  static rtl::String NumbersToText(const TdxSVGValues& AValues);
  static rtl::String PointsToText(const TdxSVGPoints& APoints);
};

// ---------------------------------------------------------------------------
// Elements

class TdxSVGRect : public rtl::TObject {
  RTL_CLASS(TdxSVGRect, rtl::TObject)

 public:
  float Width() const { return FValue.Right - FValue.Left; }
  float Height() const { return FValue.Bottom - FValue.Top; }

  TdxRectF FValue;
};

using TdxSVGElementClass = rtl::ClassOf<TdxSVGElement>;

class TdxSVGElement : public rtl::TPersistent {
  RTL_CLASS(TdxSVGElement, rtl::TPersistent)

 public:
  virtual void Create();
  // Create, then appended to AParent's children.
  virtual void Create(TdxSVGElement* AParent);
  void Destroy() override;

  // Copies what this class writes and reads, then clones of the source's
  // children; anything but an element goes to the persistent assignment.
  void Assign(rtl::TPersistent* Source) override;
  TdxSVGElement* Clone();

  virtual void Draw(TdxSVGCustomRenderer* ARenderer);
  // Children first, then their subtrees; IDs compare without case.
  virtual bool FindByID(const rtl::String& ID, TdxSVGElement*& AElement);
  virtual void LoadFromNode(TdxXMLNode* ANode);
  virtual void SaveToNode(TdxXMLNode* ANode);
  virtual void UpdateReferences(const rtl::String& AOldID, const rtl::String& ANewID);

  int Count() const { return static_cast<int>(FChildren.size()); }
  TdxSVGElement* GetElement(int Index) const;
  TdxSVGElement* Parent() const { return FParent; }
  // Detaches from the old parent without freeing; nil detaches only.
  void SetParent(TdxSVGElement* AValue);
  TdxSVGElementRoot* Root() { return GetRoot(); }

  // Inherited values, resolved up the parent chain.
  TdxSVGFill GetActualFill(IdxColorPalette* APalette);
  TdxSVGFill GetActualStroke(IdxColorPalette* APalette);
  TdxSVGFillMode GetActualFillMode();
  const TdxSVGValues& GetActualStrokeDashArray();
  float GetActualStrokeDashOffset();
  TdxSVGLineCapStyle GetActualStrokeLineCap();
  float GetActualStrokeWidth();

  // Clamped to 0..1.
  void SetOpacity(float AValue);
  void SetFillOpacity(float AValue);
  void SetStrokeDashArray(const TdxSVGValues& AValue) { FStrokeDashArray = AValue; }
  void SetTransform(TdxMatrix* AValue) { FTransform->Assign(AValue); }

  rtl::String FClipPath;
  TdxSVGFill FFill;
  TdxSVGFillMode FFillMode;
  float FFillOpacity;
  rtl::String FID;
  float FOpacity;
  TdxSVGFill FStroke;
  TdxSVGValues FStrokeDashArray;
  float FStrokeDashOffset;
  TdxSVGLineCapStyle FStrokeLineCap;
  TdxGpLineJoin FStrokeLineJoin;
  float FStrokeMiterLimit;
  float FStrokeSize;
  rtl::String FStyleName;
  TdxMatrix* FTransform;

 protected:
  virtual void DoAssign(TdxSVGElement* ASource);
  virtual TdxSVGElementRoot* GetRoot();
  virtual void ApplyFill(TdxSVGCustomRenderer* ARenderer);
  virtual void ApplyStroke(TdxSVGCustomRenderer* ARenderer);
  virtual void DrawCore(TdxSVGCustomRenderer*) {}
  void DrawContent(TdxSVGCustomRenderer* ARenderer);
  // Percentages of lengths are shares of the root's width or height.
  float ToPixelsX(const TdxSVGValue& AValue);
  float ToPixelsY(const TdxSVGValue& AValue);

  friend class TdxSVGElementClipPath;
  friend class TdxSVGElementLinearGradient;
  friend class TdxSVGElementUse;

 private:
  void ApplyClipPath(TdxSVGCustomRenderer* ARenderer);
  // The element of the ID when it is not lending its paint already.
  TdxSVGElement* FindPaintServer(const rtl::String& AID);
  void FreeChildren();

  std::vector<TdxSVGElement*> FChildren;
  TdxSVGElement* FParent;
  // Set while the element draws, so that a "use" that reaches it again
  // (itself or an ancestor) stops instead of recursing without end.
  bool FDrawing;
  // Set while the element lends its paint to another, so that fill and
  // stroke references that lead back to it stop.
  bool FApplyingPaint;
};

class TdxSVGElementGroup : public TdxSVGElement {
  RTL_CLASS(TdxSVGElementGroup, TdxSVGElement)

 public:
  void LoadFromNode(TdxXMLNode* ANode) override;
  void SaveToNode(TdxXMLNode* ANode) override;

  rtl::String FTag;
};

class TdxSVGElementRoot : public TdxSVGElementGroup {
  RTL_CLASS(TdxSVGElementRoot, TdxSVGElementGroup)

 public:
  void Create() override;
  using TdxSVGElementGroup::Create;
  void Destroy() override;
  void LoadFromNode(TdxXMLNode* ANode) override;
  void SaveToNode(TdxXMLNode* ANode) override;

  // The view box's size, each side replaced by the width or height
  // attribute when that is a non-zero absolute length.
  TdxSizeF Size() const;
  const TdxRectF& ViewBox() const { return FViewBox->FValue; }
  void SetViewBox(const TdxRectF& AValue) { FViewBox->FValue = AValue; }
  const TdxRectF& Background() const { return FBackground->FValue; }
  void SetBackground(const TdxRectF& AValue) { FBackground->FValue = AValue; }

  TdxSVGRect* FBackground;
  TdxSVGRect* FViewBox;
  TdxSVGValue FHeight;
  TdxSVGValue FWidth;
  TdxSVGValue FX;
  TdxSVGValue FY;

 protected:
  TdxSVGElementRoot* GetRoot() override { return this; }
};

class TdxSVGElementCircle : public TdxSVGElement {
  RTL_CLASS(TdxSVGElementCircle, TdxSVGElement)

 public:
  void LoadFromNode(TdxXMLNode* ANode) override;
  void SaveToNode(TdxXMLNode* ANode) override;

  TdxSVGValue FRadius;
  TdxSVGValue FCenterX;
  TdxSVGValue FCenterY;

 protected:
  void DrawCore(TdxSVGCustomRenderer* ARenderer) override;
};

class TdxSVGElementEllipse : public TdxSVGElement {
  RTL_CLASS(TdxSVGElementEllipse, TdxSVGElement)

 public:
  void LoadFromNode(TdxXMLNode* ANode) override;
  void SaveToNode(TdxXMLNode* ANode) override;

  TdxSVGValue FCenterX;
  TdxSVGValue FCenterY;
  TdxSVGValue FRadiusX;
  TdxSVGValue FRadiusY;

 protected:
  void DrawCore(TdxSVGCustomRenderer* ARenderer) override;
};

class TdxSVGElementLine : public TdxSVGElement {
  RTL_CLASS(TdxSVGElementLine, TdxSVGElement)

 public:
  void LoadFromNode(TdxXMLNode* ANode) override;
  void SaveToNode(TdxXMLNode* ANode) override;

  TdxSVGValue FX2;
  TdxSVGValue FY2;
  TdxSVGValue FX1;
  TdxSVGValue FY1;

 protected:
  void DrawCore(TdxSVGCustomRenderer* ARenderer) override;
};

class TdxSVGElementPath : public TdxSVGElement {
  RTL_CLASS(TdxSVGElementPath, TdxSVGElement)

 public:
  void Create() override;
  using TdxSVGElement::Create;
  void Destroy() override;
  void LoadFromNode(TdxXMLNode* ANode) override;
  void SaveToNode(TdxXMLNode* ANode) override;
  void SetPath(TdxSVGPath* AValue) { FPath->Assign(AValue); }

  TdxSVGPath* FPath;

 protected:
  void DrawCore(TdxSVGCustomRenderer* ARenderer) override;
};

class TdxSVGElementPolygon : public TdxSVGElement {
  RTL_CLASS(TdxSVGElementPolygon, TdxSVGElement)

 public:
  void LoadFromNode(TdxXMLNode* ANode) override;
  void SaveToNode(TdxXMLNode* ANode) override;
  void SetPoints(const TdxSVGPoints& AValue) { FPoints = AValue; }

  TdxSVGPoints FPoints;

 protected:
  void DrawCore(TdxSVGCustomRenderer* ARenderer) override;
};

class TdxSVGElementPolyline : public TdxSVGElementPolygon {
  RTL_CLASS(TdxSVGElementPolyline, TdxSVGElementPolygon)

 protected:
  void ApplyStroke(TdxSVGCustomRenderer* ARenderer) override;
  void DrawCore(TdxSVGCustomRenderer* ARenderer) override;
};

class TdxSVGElementRectangle : public TdxSVGElement {
  RTL_CLASS(TdxSVGElementRectangle, TdxSVGElement)

 public:
  void LoadFromNode(TdxXMLNode* ANode) override;
  void SaveToNode(TdxXMLNode* ANode) override;

  TdxSVGValue FCornerRadiusX;
  TdxSVGValue FCornerRadiusY;
  TdxSVGValue FHeight;
  TdxSVGValue FWidth;
  TdxSVGValue FX;
  TdxSVGValue FY;

 protected:
  void DrawCore(TdxSVGCustomRenderer* ARenderer) override;
};

class TdxSVGElementText : public TdxSVGElement {
  RTL_CLASS(TdxSVGElementText, TdxSVGElement)

 public:
  void Create() override;
  using TdxSVGElement::Create;
  void Destroy() override;
  void LoadFromNode(TdxXMLNode* ANode) override;
  void SaveToNode(TdxXMLNode* ANode) override;
  // A shorthand that does not parse changes nothing.
  void SetFont(const rtl::String& AValue);

  TdxSVGValue FDX;
  TdxSVGValue FDY;
  rtl::String FFontName;
  float FFontSize;
  vcl::TFontStyles FFontStyles;
  rtl::String FText;
  TdxSVGTextAnchor FTextAnchor;
  TdxSVGValue FX;
  TdxSVGValue FY;

 protected:
  void DrawCore(TdxSVGCustomRenderer* ARenderer) override;
  // Nil when no family of the name (or of a generic family it names) exists.
  TdxGPFont* CreateFont();

 private:
  TdxGPFontFamily* FCachedFontFamily;
};

class TdxSVGElementTSpan : public TdxSVGElementText {
  RTL_CLASS(TdxSVGElementTSpan, TdxSVGElementText)

 public:
  using TdxSVGElementText::Create;
  // Inside a text element, starts with what the text element writes.
  void Create(TdxSVGElement* AParent) override;
};

class TdxSVGElementUse : public TdxSVGElement {
  RTL_CLASS(TdxSVGElementUse, TdxSVGElement)

 public:
  void LoadFromNode(TdxXMLNode* ANode) override;
  void SaveToNode(TdxXMLNode* ANode) override;
  void UpdateReferences(const rtl::String& AOldID, const rtl::String& ANewID) override;

  rtl::String FReference;
  TdxSVGValue FX;
  TdxSVGValue FY;

 protected:
  void DrawCore(TdxSVGCustomRenderer* ARenderer) override;
};

// Definitions: drawn only when something refers to them.
class TdxSVGElementNeverRendered : public TdxSVGElement {
  RTL_CLASS(TdxSVGElementNeverRendered, TdxSVGElement)

 public:
  void Draw(TdxSVGCustomRenderer*) override {}
};

class TdxSVGElementClipPath : public TdxSVGElementNeverRendered {
  RTL_CLASS(TdxSVGElementClipPath, TdxSVGElementNeverRendered)

 public:
  // Intersects ARenderer's clip with the geometry of the children.
  void ApplyTo(TdxSVGCustomRenderer* ARenderer, TdxSVGElement* AElement);

 private:
  bool FApplying;
};

class TdxSVGElementLinearGradientStop : public TdxSVGElementNeverRendered {
  RTL_CLASS(TdxSVGElementLinearGradientStop, TdxSVGElementNeverRendered)

 public:
  void Create() override;
  using TdxSVGElementNeverRendered::Create;
  void LoadFromNode(TdxXMLNode* ANode) override;
  void SaveToNode(TdxXMLNode* ANode) override;

  TdxAlphaColor FColor;
  float FColorOpacity;
  TdxSVGValue FOffset;
};

class TdxSVGBrush;

class TdxSVGElementLinearGradient : public TdxSVGElementNeverRendered {
  RTL_CLASS(TdxSVGElementLinearGradient, TdxSVGElementNeverRendered)

 public:
  void Create() override;
  using TdxSVGElementNeverRendered::Create;
  void LoadFromNode(TdxXMLNode* ANode) override;
  void SaveToNode(TdxXMLNode* ANode) override;
  // The child as a stop; another child raises EInvalidCast.
  TdxSVGElementLinearGradientStop* GetStop(int Index) const;

  TdxSVGContentUnits FUnitsType;
  TdxSVGValue FX1;
  TdxSVGValue FX2;
  TdxSVGValue FY1;
  TdxSVGValue FY2;

 protected:
  void ApplyFill(TdxSVGCustomRenderer* ARenderer) override;
  void ApplyStroke(TdxSVGCustomRenderer* ARenderer) override;

 private:
  void PrepareGradientBrush(TdxSVGCustomRenderer* ARenderer, TdxSVGBrush* ABrush);
  TdxRectF AdjustGradientLine(const TdxRectF& ALine);
  void BuildGradientStops(TdxGPBrushGradientPoints* APoints, float AStart, float AEnd);
};

// The tag of each element class; tags compare exactly.
TdxSVGElementClass dxSVGElementClassByTag(const TdxXMLString& ATag);
TdxXMLString dxSVGTagByElementClass(TdxSVGElementClass AClass);

// ---------------------------------------------------------------------------
// Styles

// A style's properties are its attributes, read as an element reads its own.
class TdxSVGStyle : public TdxXMLNode {
  RTL_CLASS(TdxSVGStyle, TdxXMLNode)

 public:
  virtual void Create(const rtl::String& AName);
  void Apply(TdxSVGElement* AElement) { AElement->LoadFromNode(this); }

  rtl::String FName;
};

class TdxSVGStyles : public rtl::TObject {
  RTL_CLASS(TdxSVGStyles, rtl::TObject)

 public:
  void Destroy() override;

  // The style of that name, made empty when there is none.
  TdxSVGStyle* Add(const rtl::String& AName);
  // The one inline style of AReference.
  TdxSVGStyle* AddInline(rtl::TObject* AReference);
  bool TryGetStyle(const rtl::String& AName, TdxSVGStyle*& AStyle) const;
  // Raises EListError "Item not found" for a missing name.
  TdxSVGStyle* GetItem(const rtl::String& AName) const;
  // A style sheet's rules; selectors are used as plain names.
  void ParseStyleSheet(const rtl::String& AText);
  // The styles of the element's class names in order, then its inline
  // style; then the same for every child.
  void Apply(TdxSVGElement* AElement);

 private:
  static rtl::String InlineName(rtl::TObject* AReference);

  std::map<rtl::String, TdxSVGStyle*> FItems;
};

// ---------------------------------------------------------------------------
// Importer

class TdxSVGImporter {
 public:
  TdxSVGImporter() = delete;

  // False without an "svg" element. An import that fails part-way frees
  // what it built, passes the error on and leaves ARoot as it was.
  static bool Import(TdxXMLDocument* ADocument, TdxSVGElementRoot*& ARoot);
  // The size of the "svg" element, read without its children.
  static bool GetSize(TdxXMLDocument* ADocument, TSize& ASize);

 private:
  static void ImportElement(TdxSVGElement* AElement, TdxXMLNode* ANode, TdxSVGStyles* AStyles);
  static void ImportNode(TdxSVGElement* AParent, TdxXMLNode* ANode, TdxSVGStyles* AStyles);
  static TdxXMLNode* FindSVGNode(TdxXMLDocument* ADocument);
};

// ---------------------------------------------------------------------------
// Renderers

// A brush whose gradient runs along a line, in pixels or (auto-scaled) in
// fractions of the figure it fills.
class TdxSVGBrush : public TdxGPBrush {
  RTL_CLASS(TdxSVGBrush, TdxGPBrush)

 public:
  bool FGradientAutoScale;
  TdxRectF FGradientLine;

 protected:
  bool NeedsNewHandleForTargetRect() override;
  void CreateGradientNativeHandle(void*& AHandle) override;
};

class TdxSVGPen : public TdxGPPen {
  RTL_CLASS(TdxSVGPen, TdxGPPen)

 public:
  TdxSVGBrush* Brush() const { return static_cast<TdxSVGBrush*>(GetBrush()); }

 protected:
  TdxGPBrush* CreateBrush() override;
};

// The current pen, brush and opacity, and where the geometry goes.
class TdxSVGCustomRenderer : public rtl::TObject {
  RTL_CLASS(TdxSVGCustomRenderer, rtl::TObject)

 public:
  virtual void Create(IdxColorPalette* APalette);
  void Destroy() override;

  virtual float ScaleStrokeWidth(float AWidth) { return AWidth; }
  virtual void Ellipse(float ACenterX, float ACenterY, float ARadiusX, float ARadiusY) = 0;
  virtual void Line(float X1, float Y1, float X2, float Y2) = 0;
  virtual void Path(TdxGPPath* APath) = 0;
  virtual void Polygon(const TdxSVGPoints& APoints) = 0;
  virtual void Polyline(const TdxSVGPoints& APoints) = 0;
  virtual void Rectangle(float X, float Y, float AWidth, float AHeight) = 0;
  virtual void RoundRect(float X, float Y, float AWidth, float AHeight, float ARadiusX, float ARadiusY) = 0;
  virtual void TextOut(float X, float Y, const rtl::String& AText, TdxGPFont* AFont) = 0;
  // Answers the old opacity; the new one is the old times AOpacity.
  float ModifyOpacity(float AOpacity);
  void SetOpacity(float AOpacity);
  virtual void RestoreClipRegion() = 0;
  virtual void SaveClipRegion() = 0;
  virtual void SetClipRegion(TdxGPPath* APath, TdxGPCombineMode AMode) = 0;
  // AMatrix applies before the current transform.
  virtual void ModifyWorldTransform(const XFORM& AMatrix) = 0;
  virtual void RestoreWorldTransform() = 0;
  virtual void SaveWorldTransform() = 0;

  TdxAlphaColor ApplyOpacity(TdxAlphaColor AColor) const;
  TdxSVGBrush* Brush() const { return FBrush; }
  TdxSVGPen* Pen() const { return FPen; }
  IdxColorPalette* Palette() const { return FPalette.Get(); }

 private:
  TdxSVGBrush* FBrush;
  float FOpacity;
  bool FOpacityAssigned;
  rtl::IPtr<IdxColorPalette> FPalette;
  TdxSVGPen* FPen;
};

class TdxSVGRenderer : public TdxSVGCustomRenderer {
  RTL_CLASS(TdxSVGRenderer, TdxSVGCustomRenderer)

 public:
  virtual void Create(TdxGPCanvas* ACanvas, IdxColorPalette* APalette);

  // The width under the canvas's scaling (without its translation).
  float ScaleStrokeWidth(float AWidth) override;
  void Ellipse(float ACenterX, float ACenterY, float ARadiusX, float ARadiusY) override;
  void Line(float X1, float Y1, float X2, float Y2) override;
  void Path(TdxGPPath* APath) override;
  void Polygon(const TdxSVGPoints& APoints) override;
  void Polyline(const TdxSVGPoints& APoints) override;
  void Rectangle(float X, float Y, float AWidth, float AHeight) override;
  void RoundRect(float X, float Y, float AWidth, float AHeight, float ARadiusX, float ARadiusY) override;
  void TextOut(float X, float Y, const rtl::String& AText, TdxGPFont* AFont) override;
  void RestoreClipRegion() override;
  void SaveClipRegion() override;
  void SetClipRegion(TdxGPPath* APath, TdxGPCombineMode AMode) override;
  void ModifyWorldTransform(const XFORM& AMatrix) override;
  void RestoreWorldTransform() override;
  void SaveWorldTransform() override;

 private:
  TdxGPCanvas* FCanvas;
};

// Adds every figure to one path, in the coordinates of the element that is
// clipped: figures of transformed elements are mapped by the transforms in
// force when they are added.
class TdxSVGRendererClipPath : public TdxSVGCustomRenderer {
  RTL_CLASS(TdxSVGRendererClipPath, TdxSVGCustomRenderer)

 public:
  void Create(IdxColorPalette* APalette) override;
  void Destroy() override;

  void Ellipse(float ACenterX, float ACenterY, float ARadiusX, float ARadiusY) override;
  void Line(float X1, float Y1, float X2, float Y2) override;
  void Path(TdxGPPath* APath) override;
  void Polygon(const TdxSVGPoints& APoints) override;
  void Polyline(const TdxSVGPoints& APoints) override;
  void Rectangle(float X, float Y, float AWidth, float AHeight) override;
  void RoundRect(float X, float Y, float AWidth, float AHeight, float ARadiusX, float ARadiusY) override;
  void TextOut(float X, float Y, const rtl::String& AText, TdxGPFont* AFont) override;
  void RestoreClipRegion() override {}
  void SaveClipRegion() override {}
  void SetClipRegion(TdxGPPath*, TdxGPCombineMode) override {}
  void ModifyWorldTransform(const XFORM& AMatrix) override;
  void RestoreWorldTransform() override;
  void SaveWorldTransform() override;

  TdxGPPath* ClipPath() const { return FClipPath; }

 private:
  // Adds the figures that AAdd puts into a scratch path, mapped by the
  // current transform.
  template <class F>
  void AddFigure(F&& AAdd);

  TdxGPPath* FClipPath;
  // The transform in force (the elements' own, composed) and the saved
  // ones.
  XFORM FTransform;
  std::vector<XFORM> FSavedTransforms;
};

// The size of AText in AFont on the screen.
TdxSizeF dxSVGMeasureString(TdxGPFont* AFont, const rtl::String& AText);
// AColor with its alpha times AOpacity; colours without alpha meaning (0,
// $00FFFFFF) and opacities of 1 or more leave it as it is.
TdxAlphaColor dxSVGApplyOpacity(TdxAlphaColor AColor, float AOpacity);
