#include "graphics/dxSVGCore.h"

#include <gtest/gtest.h>

#include <string>

namespace {

rtl::TOwnedPtr<TdxXMLDocument> SVGDocument(std::string_view AText)
{
  rtl::TOwnedPtr<TdxXMLDocument> document(rtl::New<TdxXMLDocument>(nullptr));
  document->LoadFromString(AText);
  return document;
}

rtl::TOwnedPtr<TdxSVGElementRoot> SVGImport(std::string_view AText)
{
  TdxSVGElementRoot* root = nullptr;
  EXPECT_TRUE(TdxSVGImporter::Import(SVGDocument(AText).get(), root));
  return rtl::TOwnedPtr<TdxSVGElementRoot>(root);
}

TdxSVGElement* SVGFind(TdxSVGElement* ARoot, const rtl::String& AID)
{
  TdxSVGElement* element = nullptr;
  EXPECT_TRUE(ARoot->FindByID(AID, element)) << std::wstring(AID);
  return element;
}

// --------------------------------------------------------------------------
// Import and size

TEST(dxSVGCore, ADocumentWithoutAnSvgElementIsNoImage)
{
  auto document = SVGDocument("<html><svg/></html>");
  TdxSVGElementRoot* root = nullptr;
  TSize size{};
  EXPECT_FALSE(TdxSVGImporter::Import(document.get(), root));
  EXPECT_EQ(root, nullptr);
  EXPECT_FALSE(TdxSVGImporter::GetSize(document.get(), size));
}

TEST(dxSVGCore, TheSizeIsTheViewBoxWithAbsoluteWidthAndHeightInstead)
{
  const struct {
    const char* Text;
    int Width, Height;
  } cases[] = {
      {R"X(<svg width="100" viewBox="0 0 32 32"/>)X", 100, 32},
      {R"X(<svg width="50%" viewBox="0 0 32 32"/>)X", 32, 32},
      {R"X(<svg width="24" height="0.25in"/>)X", 24, 24},
      {R"X(<SVG viewBox="5 5 16.4 16.6"/>)X", 16, 17},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    TSize size{};
    ASSERT_TRUE(TdxSVGImporter::GetSize(SVGDocument(c.Text).get(), size));
    EXPECT_EQ(size.cx, c.Width);
    EXPECT_EQ(size.cy, c.Height);
  }
}

TEST(dxSVGCore, ImportBuildsKnownElementsAndSkipsUnknownSubtrees)
{
  auto root = SVGImport(R"X(<svg>
    <circle id="c"/><rect id="r" class="a b"/>
    <foreign><rect id="hidden"/></foreign>
    <g id="g"><path id="p" d="M0 0 L1 1"/></g>
  </svg>)X");
  ASSERT_EQ(root->Count(), 3);
  EXPECT_TRUE(rtl::Is<TdxSVGElementCircle>(root->GetElement(0)));
  EXPECT_EQ(root->GetElement(0)->FStyleName, L"circle");
  EXPECT_EQ(root->GetElement(1)->FStyleName, L"a b");
  TdxSVGElement* hidden = nullptr;
  EXPECT_FALSE(root->FindByID(L"hidden", hidden));
  EXPECT_EQ(SVGFind(root.get(), L"P")->Parent(), SVGFind(root.get(), L"g"));
  EXPECT_EQ(rtl::As<TdxSVGElementPath>(SVGFind(root.get(), L"p"))->FPath->ToString(), L"M0 0 L1 1");
  EXPECT_THROW(SVGFind(root.get(), L"c")->GetElement(0), EInvalidArgument);
  EXPECT_THROW(root->GetElement(3), rtl::EListError);
}

TEST(dxSVGCore, AnImportThatFailsPartWayLeavesTheResultUntouched)
{
  auto document = SVGDocument(R"X(<svg><g><rect/><circle fill-opacity="half"/></g></svg>)X");
  auto* const sentinel = reinterpret_cast<TdxSVGElementRoot*>(0x1234);
  TdxSVGElementRoot* root = sentinel;
  EXPECT_THROW(TdxSVGImporter::Import(document.get(), root), rtl::EConvertError);
  EXPECT_EQ(root, sentinel);
}

TEST(dxSVGCore, FindByIDComparesAllChildrenBeforeTheirSubtrees)
{
  auto root = SVGImport(R"X(<svg><g><rect id="X"/></g><circle id="x"/></svg>)X");
  EXPECT_TRUE(rtl::Is<TdxSVGElementCircle>(SVGFind(root.get(), L"X")));
  TdxSVGElement* element = nullptr;
  EXPECT_FALSE(root->FindByID(L"", element));
}

TEST(dxSVGCore, AttributesFallBackAsTheyShould)
{
  auto root = SVGImport(R"X(<svg>
    <path id="a" fill-rule="evenodd" stroke-linecap="round" stroke-linejoin="bevel" opacity="2"/>
    <path id="b" fill-rule="even-odd" stroke-linecap="" stroke-linejoin="" fill-opacity="-1"/>
    <path id="c" stroke-linecap="flat" stroke-dasharray="4,2" stroke-width="2mm" fill="url(#g)"/>
    <linearGradient id="g"/>
  </svg>)X");
  auto* a = SVGFind(root.get(), L"a");
  EXPECT_EQ(a->FFillMode, fmEvenOdd);
  EXPECT_EQ(a->FStrokeLineCap, lcsRound);
  EXPECT_EQ(a->FStrokeLineJoin, Gdiplus::LineJoinBevel);
  EXPECT_FLOAT_EQ(a->FOpacity, 1);
  auto* b = SVGFind(root.get(), L"b");
  EXPECT_EQ(b->FFillMode, fmInherit);
  EXPECT_EQ(b->FStrokeLineCap, lcsDefault);
  EXPECT_EQ(b->FStrokeLineJoin, Gdiplus::LineJoinMiterClipped);
  EXPECT_FLOAT_EQ(b->FFillOpacity, 0);
  auto* c = SVGFind(root.get(), L"c");
  EXPECT_EQ(c->FStrokeLineCap, lcsDefault);
  EXPECT_EQ(c->FStrokeDashArray, (TdxSVGValues{4, 2}));
  EXPECT_NEAR(c->FStrokeSize, 2 / 25.4 * 96, 1e-3);
  EXPECT_EQ(c->FFill.AsReference(), L"g");
  auto* gradient = rtl::As<TdxSVGElementLinearGradient>(SVGFind(root.get(), L"g"));
  EXPECT_EQ(gradient->FUnitsType, cuObjectBoundingBox);
  EXPECT_FLOAT_EQ(gradient->FX2.Data, 1);
  EXPECT_FLOAT_EQ(gradient->FY2.Data, 0);
}

TEST(dxSVGCore, PaintAndReferenceTexts)
{
  const struct {
    const wchar_t* Text;
    bool IsReference;
    const wchar_t* Reference;
    TdxAlphaColor Color;
  } cases[] = {
      {L"url(#grad)", true, L"grad", 0},
      {L" URL(#grad) ", true, L"grad", 0},
      {L"url(grad)", false, L"", TdxAlphaColorDefault},
      {L"#FF0000", false, L"", 0xFFFF0000},
      {L" #FF0000", false, L"", 0},
      {L"none", false, L"", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::wstring(c.Text));
    const TdxSVGFill fill = TdxSVGAttributeConverter::PaintFromText(c.Text);
    EXPECT_EQ(fill.IsReference(), c.IsReference);
    EXPECT_EQ(fill.AsReference(), c.Reference);
    EXPECT_EQ(fill.AsColor(), c.Color);
  }
  EXPECT_EQ(TdxSVGAttributeConverter::NumberToText(1.0f / 3), L"0.33333");
  EXPECT_EQ(TdxSVGAttributeConverter::LengthToText(TdxSVGValue::Create(10)), L"10px");
  EXPECT_EQ(TdxSVGAttributeConverter::PaintToText(TdxSVGFill::Create(0xFF00FF00)), L"#00FF00");
}

TEST(dxSVGCore, ARootWritesItsViewBoxAsLeftTopWidthAndHeight)
{
  auto root = SVGImport(R"X(<svg viewBox="10 10 20 20"><rect id="r" x="1" transform="translate(2 3)"/></svg>)X");
  rtl::TOwnedPtr<TdxXMLNode> node(rtl::New<TdxXMLNode>());
  root->SaveToNode(node.get());
  EXPECT_EQ(node->GetAttributes()->GetValue("viewBox"), "10 10 20 20");
  rtl::TOwnedPtr<TdxSVGElementRoot> copy(rtl::New<TdxSVGElementRoot>());
  copy->LoadFromNode(node.get());
  EXPECT_FLOAT_EQ(copy->ViewBox().Left, 10);
  EXPECT_FLOAT_EQ(copy->ViewBox().Bottom, 30);
}

TEST(dxSVGCore, ClonesCopyTheirChildrenDeeplyAndTextKeepsTheDefaultFont)
{
  auto root = SVGImport(R"X(<svg><g id="g" fill="red"><rect id="r" width="5" transform="scale(2)"/>
    <text id="t" font="bold 20px Arial" x="3">Hi</text></g></svg>)X");
  rtl::TOwnedPtr<TdxSVGElement> clone(SVGFind(root.get(), L"g")->Clone());
  ASSERT_EQ(clone->Count(), 2);
  EXPECT_EQ(clone->FFill.AsColor(), 0xFFFF0000);
  auto* rect = rtl::As<TdxSVGElementRectangle>(clone->GetElement(0));
  EXPECT_NE(rect, SVGFind(root.get(), L"r"));
  EXPECT_FLOAT_EQ(rect->FWidth.Data, 5);
  EXPECT_FLOAT_EQ(rect->FTransform->GetXForm().eM11, 2);
  auto* text = rtl::As<TdxSVGElementText>(clone->GetElement(1));
  EXPECT_EQ(text->FText, L"Hi");
  EXPECT_FLOAT_EQ(text->FX.Data, 3);
  EXPECT_EQ(text->FFontName, L"MS Sans Serif");
  EXPECT_EQ(rtl::As<TdxSVGElementText>(SVGFind(root.get(), L"t"))->FFontName, L"Arial");
}

TEST(dxSVGCore, ReferencesAreRenamedThroughTheTree)
{
  auto root = SVGImport(R"X(<svg><g><rect id="a" fill="url(#A)" stroke="url(#b)" clip-path="url(#a)"/>
    <use href="#A"/></g></svg>)X");
  root->UpdateReferences(L"a", L"z");
  auto* rect = SVGFind(root.get(), L"z");
  EXPECT_EQ(rect->FFill.AsReference(), L"z");
  EXPECT_EQ(rect->FStroke.AsReference(), L"b");
  EXPECT_EQ(rect->FClipPath, L"z");
  EXPECT_EQ(rtl::As<TdxSVGElementUse>(rect->Parent()->GetElement(1))->FReference, L"z");
}

// --------------------------------------------------------------------------
// Styles

TEST(dxSVGCore, StyleSheetsApplyByClassAndTagNameAndInlineStylesWin)
{
  const struct {
    const char* Sheet;
    const char* Element;
    TdxAlphaColor Fill;
  } cases[] = {
      {".a, rect { fill: red }", R"X(<circle id="e" class="a"/>)X", 0xFFFF0000},
      {".a, rect { fill: red }", R"X(<rect id="e"/>)X", 0xFFFF0000},
      {".a, rect { fill: red }", R"X(<rect id="e" class="b"/>)X", TdxAlphaColorDefault},
      {".a { fill: blue } .b { fill: red }", R"X(<rect id="e" class="a b"/>)X", 0xFFFF0000},
      {".a { fill: blue } .b { fill: red }", R"X(<rect id="e" class="a b" style="fill: lime"/>)X", 0xFF00FF00},
      {"#e { fill: red }", R"X(<rect id="e"/>)X", TdxAlphaColorDefault},
      {"/* note */ .a { fill: red }", R"X(<rect id="e" class="a"/>)X", TdxAlphaColorDefault},
      {".a { fill: red; stroke: blue } .a { fill: lime }", R"X(<rect id="e" class="a"/>)X", 0xFF00FF00},
      {"", R"X(<rect id="e" fill="blue" style="fill:red"/>)X", 0xFFFF0000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Sheet << " " << c.Element);
    auto root = SVGImport(std::string("<svg><style>") + c.Sheet + "</style>" + c.Element + "</svg>");
    EXPECT_EQ(SVGFind(root.get(), L"e")->FFill.AsColor(), c.Fill);
  }
  auto merged = SVGImport(R"X(<svg><style>.a { fill: red; stroke: blue } .a { fill: lime }</style>
    <rect id="e" class="a"/></svg>)X");
  EXPECT_EQ(SVGFind(merged.get(), L"e")->FStroke.AsColor(), 0xFF0000FF);
}

TEST(dxSVGCore, StylesKeepOneInlineStylePerElement)
{
  rtl::TOwnedPtr<TdxSVGStyles> styles(rtl::New<TdxSVGStyles>());
  rtl::TOwnedPtr<TdxSVGElement> element(rtl::New<TdxSVGElementRectangle>());
  EXPECT_EQ(styles->AddInline(element.get()), styles->AddInline(element.get()));
  TdxSVGStyle* const added = styles->Add(L"a");
  EXPECT_EQ(styles->GetItem(L"a"), added);
  EXPECT_THROW(styles->GetItem(L"A"), rtl::EListError);
  TdxSVGStyle* style = nullptr;
  EXPECT_FALSE(styles->TryGetStyle(L"", style));
}

}  // namespace
