#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "graphics/dxXMLDoc.h"
#include "platform/rtl/ClassesStreams.h"
#include "platform/rtl/Variants.h"

namespace {

using Doc = rtl::TOwnedPtr<TdxXMLDocument>;

Doc NewDocument()
{
  return Doc(rtl::New<TdxXMLDocument>(nullptr));
}

// The tree in one line: name, attributes, |text| and the children in
// braces, so a table can state a whole document.
std::string XmlDump(const TdxXMLNode* ANode)
{
  std::string result = ANode->GetName();
  for (TdxXMLNodeAttribute* attr = ANode->GetAttributes()->First(); attr != nullptr; attr = attr->Next())
    result += " " + attr->GetName() + "=\"" + attr->GetValue() + "\"";
  if (!ANode->GetText().empty())
    result += " |" + ANode->GetText() + "|";
  if (ANode->HasChildren()) {
    result += " {";
    for (TdxXMLNode* child = ANode->First(); child != nullptr; child = child->Next())
      result += (child == ANode->First() ? "" : " ") + XmlDump(child);
    result += "}";
  }
  return result;
}

// The top-level elements of a loaded document.
std::string XmlLoadAndDump(std::string_view AText)
{
  Doc doc = NewDocument();
  doc->LoadFromString(AText);
  std::string result;
  for (TdxXMLNode* child = doc->GetRoot()->First(); child != nullptr; child = child->Next())
    result += (child == doc->GetRoot()->First() ? "" : " ") + XmlDump(child);
  return result;
}

std::string XmlSave(TdxXMLDocument* ADoc)
{
  rtl::TOwnedPtr<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
  ADoc->SaveToStream(stream.get());
  return std::string(static_cast<const char*>(stream->Memory()), static_cast<std::size_t>(stream->GetSize()));
}

}  // namespace

// ---------------------------------------------------------------------------
// References and escapes

TEST(dxXMLHelper, DecodeStringResolvesEachReferenceOnce)
{
  struct Case {
    std::string_view Text;
    std::string_view Expected;
  };
  const Case cases[] = {
      {"&lt;&gt;&amp;&quot;&apos;&#9;&#10;&#13;", "<>&\"'\t\n\r"},
      // Decoded once: the result of a reference is not read again.
      {"&amp;lt;", "&lt;"},
      {"_x005F_x0041_", "_x0041_"},
      {"_x0041_", "A"},
      // Numeric references become characters in UTF-8, never raw bytes.
      {"&#65;&#x41;&#X41;", "AAA"},
      {"&#233;", "\xC3\xA9"},
      {"&#256;", "\xC4\x80"},
      {"&#x1F600;", "\xF0\x9F\x98\x80"},
      {"_x00E9_", "\xC3\xA9"},
      // What names no character stays as written.
      {"&#0;&#;&#xD800;&#1114112;&#99999999999;", "&#0;&#;&#xD800;&#1114112;&#99999999999;"},
      {"&#65", "&#65"},
      {"&nbsp; a & b &x;", "&nbsp; a & b &x;"},
      {"_x0100_ _x00G1_ _x41_", "_x0100_ _x00G1_ _x41_"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TdxXMLHelper::DecodeString(c.Text), c.Expected) << c.Text;
}

TEST(dxXMLHelper, EncodeStringEscapesAndDecodesBack)
{
  struct Case {
    std::string_view Text;
    bool RemoveBreakLines;
    std::string_view Expected;
  };
  const Case cases[] = {
      {"a<b>&\"'", false, "a&lt;b&gt;&amp;&quot;&apos;"},
      {"1\t2\r\n3", false, "1&#9;2&#13;&#10;3"},
      {"1\r\n2", true, "1  2"},
      {"\x1B", false, "_x001B_"},
      {"_x0041_ and _x", false, "_x005F_x0041_ and _x"},
      {"\xC3\xA9", false, "\xC3\xA9"},
  };
  for (const Case& c : cases) {
    const TdxXMLString encoded = TdxXMLHelper::EncodeString(c.Text, c.RemoveBreakLines);
    EXPECT_EQ(encoded, c.Expected) << c.Text;
    if (!c.RemoveBreakLines) {
      EXPECT_EQ(TdxXMLHelper::DecodeString(encoded), c.Text);
    }
  }
}

TEST(dxXMLHelper, PreserveSpacesAndNameScopes)
{
  EXPECT_FALSE(TdxXMLHelper::IsPreserveSpacesNeeded(std::string_view("")));
  EXPECT_FALSE(TdxXMLHelper::IsPreserveSpacesNeeded(std::string_view("a b")));
  EXPECT_TRUE(TdxXMLHelper::IsPreserveSpacesNeeded(std::string_view(" a")));
  EXPECT_TRUE(TdxXMLHelper::IsPreserveSpacesNeeded(std::string_view("a\t")));
  EXPECT_TRUE(TdxXMLHelper::IsPreserveSpacesNeeded(std::string_view("a\nb")));
  EXPECT_EQ(TdxXMLHelper::ExtractNameScope("svg"), "");
  EXPECT_EQ(TdxXMLHelper::ExtractNameScope("xlink:href"), "xlink:");
  EXPECT_EQ(TdxXMLHelper::ExtractNameWithoutNameScope("xlink:href"), "href");
  EXPECT_EQ(TdxXMLHelper::ExtractNameWithoutNameScope("svg"), "svg");
}

// ---------------------------------------------------------------------------
// Reading

TEST(dxXMLParser, ReadsDocumentsIntoTrees)
{
  struct Case {
    std::string_view Text;
    std::string_view Tree;
  };
  const Case cases[] = {
      {"<a b=\"1\" c='2'>t</a>", "a b=\"1\" c=\"2\" |t|"},
      {"<r><a/><b><c/></b></r>", "r {a b {c}}"},
      {"<a/><b/>", "a b"},
      // Tolerated: bare attribute words, values without quotes, end tags
      // that do not repeat the name.
      {"<a b c=d/>", "a b=\"\" c=\"d\""},
      {"<a>t</b>", "a |t|"},
      // A ">" inside quotes is part of the value.
      {"<a t=\"x>y\" u='>'>z</a>", "a t=\"x>y\" u=\">\" |z|"},
      // Every run of an element's own text is kept, in order.
      {"<p>one<b>two</b>three</p>", "p |onethree| {b |two|}"},
      {"<p>a<br/>b<br/>c</p>", "p |abc| {br br}"},
      {"<p>\n\t<b/>\n</p>", "p {b}"},
      // Indentation by tabs and line breaks goes, spaces stay.
      {"<a>\n\t\tx y\n\t</a>", "a |x y|"},
      {"<a>\n  x</a>", "a |  x|"},
      {"<a xml:space=\"preserve\">\n x\n</a>", "a xml:space=\"preserve\" |\n x\n|"},
      // References in values and texts.
      {"<a t=\"&lt;&#233;\">&amp;lt;</a>", "a t=\"<\xC3\xA9\" |&lt;|"},
      // Comments and processing instructions are no text; CDATA is text as
      // it stands.
      {"<a>x<!-- c -->y<?pi z?></a>", "a |xy|"},
      {"<a><![CDATA[1 < 2 &amp; ]]></a>", "a |1 < 2 &amp; |"},
      {"<!-- before --><a><!----></a>", "a"},
      // Declarations and document types are skipped, internal subsets too;
      // their entities are never expanded.
      {"<?xml version=\"1.0\"?><?xml-stylesheet href=\"s.css\"?><a/>", "a"},
      {"<!DOCTYPE svg PUBLIC \"-//W3C//DTD SVG 1.1//EN\" \"x.dtd\"><svg/>", "svg"},
      {"<!DOCTYPE l [<!ENTITY a \"<b>\"><!-- ' -->\n<!ENTITY b \"&a;&a;\">]><l>&b;</l>", "l |&b;|"},
      // Names keep their bytes and prefixes.
      {"<svg:g xlink:href=\"#a\"/>", "svg:g xlink:href=\"#a\""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(XmlLoadAndDump(c.Text), c.Tree) << c.Text;
}

TEST(dxXMLParser, ReadsEncodingsWithAndWithoutByteOrderMark)
{
  struct Case {
    std::string_view Text;
    std::string_view Tree;
    std::string_view Encoding;
  };
  const Case cases[] = {
      {"<a>\xC3\xA9</a>", "a |\xC3\xA9|", "UTF-8"},
      {"\xEF\xBB\xBF<a>\xC3\xA9</a>", "a |\xC3\xA9|", "UTF-8"},
      {"\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?><a/>", "a", "utf-8"},
      {"<?xml version=\"1.0\" encoding=\"windows-1252\"?><a t=\"\xE9\x80\">\xE9</a>",
       "a t=\"\xC3\xA9\xE2\x82\xAC\" |\xC3\xA9|", "windows-1252"},
      {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>\xE9</a>", "a |\xC3\xA9|", "ISO-8859-1"},
      // A later processing instruction leaves the declared encoding alone.
      {"<?xml version=\"1.0\" encoding=\"windows-1252\"?><?other?><a>\xE9</a>", "a |\xC3\xA9|", "windows-1252"},
  };
  for (const Case& c : cases) {
    Doc doc = NewDocument();
    doc->LoadFromString(c.Text);
    EXPECT_EQ(XmlDump(doc->GetRoot()->First()), c.Tree) << c.Text;
    EXPECT_EQ(doc->GetEncoding(), c.Encoding) << c.Text;
  }
}

TEST(dxXMLParser, DamagedInputNamesWhatAndWhere)
{
  struct Case {
    std::string Text;
    std::wstring_view What;
    int Line;
    int Column;
  };
  const Case cases[] = {
      {"<r>\n  <a x='1'\n", L"start tag \"a\" is not closed", 2, 3},
      {"<a <b/>", L"start tag \"a\" is not closed", 1, 1},
      {"<a><b></a>", L"element \"a\" is not closed", 1, 1},
      {"<a/></b>", L"an end tag without a start tag", 1, 5},
      {"<a></a", L"an end tag is not closed", 1, 4},
      {"<a><!-- x</a>", L"a comment is not closed", 1, 4},
      {"<a><![CDATA[x</a>", L"a CDATA section is not closed", 1, 4},
      {"<?pi x", L"a processing instruction is not closed", 1, 1},
      {"<!DOCTYPE a [ <a/>", L"a declaration is not closed", 1, 1},
      {"<a \"b\"=\"1\"/>", L"\"b\" is not a name", 1, 4},
      {"< />", L"a start tag without a name", 1, 1},
      {"<a>\n< ?x/></a>", L"\"?x\" is not a name", 2, 3},
      {"\xFF\xFE<\0a\0/\0>\0", L"UTF-16 text is not supported", 1, 1},
      {std::string("<\0a\0/\0>\0", 8), L"UTF-16 text is not supported", 1, 1},
      {"<?xml version=\"1.0\" encoding=\"windows-9999\"?><a/>", L"encoding \"windows-9999\" is not supported", 1, 46},
  };
  for (const Case& c : cases) {
    Doc doc = NewDocument();
    doc->AddChild("old");
    try {
      doc->LoadFromString(c.Text);
      ADD_FAILURE() << "loaded: " << c.Text;
    } catch (const EdxXMLParserError& E) {
      EXPECT_NE(E.Message().find(c.What), std::wstring::npos) << c.Text;
      EXPECT_EQ(E.Line(), c.Line) << c.Text;
      EXPECT_EQ(E.Column(), c.Column) << c.Text;
    }
    // No half tree passes for the document, and nothing of the old one stays.
    EXPECT_FALSE(doc->GetRoot()->HasChildren()) << c.Text;
  }
}

TEST(dxXMLParser, BoundsNestingAndAttributes)
{
  const auto nested = [](int ADepth) {
    std::string text;
    for (int i = 0; i < ADepth; ++i)
      text += "<a>";
    for (int i = 0; i < ADepth; ++i)
      text += "</a>";
    return text;
  };
  Doc doc = NewDocument();
  doc->LoadFromString(nested(TdxXMLParser::MaxDepth));
  EXPECT_THROW(doc->LoadFromString(nested(TdxXMLParser::MaxDepth + 1)), EdxXMLParserError);
  // Far deeper than the stack would take, were the limit missing.
  EXPECT_THROW(doc->LoadFromString(std::string(300000, '<').replace(0, 0, "")), EdxXMLParserError);
  std::string text(100000 * 3, ' ');
  for (std::size_t i = 0; i < text.size(); i += 3)
    text.replace(i, 3, "<a>");
  EXPECT_THROW(doc->LoadFromString(text), EdxXMLParserError);

  const auto attributes = [](int ACount) {
    std::string text = "<a";
    for (int i = 0; i < ACount; ++i)
      text += " b";
    return text + "/>";
  };
  doc->LoadFromString(attributes(TdxXMLParser::MaxAttributeCount));
  EXPECT_EQ(doc->GetRoot()->First()->GetAttributes()->GetCount(), TdxXMLParser::MaxAttributeCount);
  EXPECT_THROW(doc->LoadFromString(attributes(TdxXMLParser::MaxAttributeCount + 1)), EdxXMLParserError);
}

TEST(dxXMLParser, EmptyInputClearsTheTreeAndKeepsTheDeclaration)
{
  Doc doc = NewDocument();
  doc->LoadFromString("<?xml version=\"1.1\" encoding=\"windows-1252\"?><a/>");
  doc->LoadFromString("");
  EXPECT_FALSE(doc->GetRoot()->HasChildren());
  EXPECT_EQ(doc->GetEncoding(), "windows-1252");
  EXPECT_EQ(doc->GetVersion(), "1.1");
}

// A reader that wants only the first start tag ends the parse quietly.
class TXmlFirstTagParser : public TdxXMLParser {
  RTL_CLASS(TXmlFirstTagParser, TdxXMLParser)

 protected:
  TdxXMLNode* ParseTag(TdxXMLNode* ANode) override
  {
    inherited::ParseTag(ANode);
    return nullptr;
  }
};

class TXmlFirstTagDocument : public TdxXMLDocument {
  RTL_CLASS(TXmlFirstTagDocument, TdxXMLDocument)

 public:
  TdxXMLParser* CreateParser() override { return rtl::New<TXmlFirstTagParser>(this, false); }
};

TEST(dxXMLParser, DescendantMayStopAfterTheFirstTag)
{
  rtl::TOwnedPtr<TXmlFirstTagDocument> doc(rtl::New<TXmlFirstTagDocument>(nullptr));
  doc->LoadFromString("<!-- c --><svg width=\"16\" height=\"8\"><g><path/></g></svg>");
  EXPECT_EQ(XmlDump(doc->GetRoot()->First()), "svg width=\"16\" height=\"8\"");
}

// ---------------------------------------------------------------------------
// Writing

TEST(dxXMLWriter, WritesIndentedAndPlainText)
{
  constexpr std::string_view source =
      "<svg width=\"16\"><g><path d=\"M0 0&#10;L1 1\"/></g><text xml:space=\"preserve\"> a&lt;b</text><t>x</t></svg>";
  struct Case {
    bool AutoIndent;
    std::string_view Expected;
  };
  const Case cases[] = {
      {true,
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
       "<svg width=\"16\">\r\n"
       "\t<g>\r\n"
       "\t\t<path d=\"M0 0 L1 1\"/>\r\n"
       "\t</g>\r\n"
       "\t<text xml:space=\"preserve\"> a&lt;b</text>\r\n"
       "\t<t>x</t>\r\n"
       "</svg>\r\n"},
      {false,
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
       "<svg width=\"16\"><g><path d=\"M0 0 L1 1\"/></g><text xml:space=\"preserve\"> a&lt;b</text><t>x</t></svg>"},
  };
  for (const Case& c : cases) {
    Doc doc = NewDocument();
    doc->LoadFromString(source);
    doc->SetAutoIndent(c.AutoIndent);
    const std::string saved = XmlSave(doc.get());
    EXPECT_EQ(saved, c.Expected);
    // What is written reads back as the same tree; a line break in a value
    // was written as a space.
    Doc again = NewDocument();
    again->LoadFromString(saved);
    doc->FindChild(std::vector<TdxXMLString>{"svg", "g", "path"})->GetAttributes()->SetValue("d", "M0 0 L1 1");
    EXPECT_EQ(XmlDump(again->GetRoot()), XmlDump(doc->GetRoot()));
  }
}

TEST(dxXMLWriter, DeclarationAndSpaceAttribute)
{
  Doc doc = NewDocument();
  doc->SetVersion("");
  doc->SetEncoding("latin1");
  doc->SetStandalone("yes");
  TdxXMLNode* a = doc->AddChild("a");
  a->SetText(" x");
  // Saving says UTF-8, which is what it writes.
  EXPECT_EQ(XmlSave(doc.get()), "<?xml encoding=\"UTF-8\" standalone=\"yes\"?>\r\n<a xml:space=\"preserve\"> x</a>");
  a->SetText("x");
  doc->SetEncoding("");
  doc->SetStandalone("");
  EXPECT_EQ(XmlSave(doc.get()), "<?xml encoding=\"UTF-8\"?>\r\n<a>x</a>");
}

// ---------------------------------------------------------------------------
// The model

TEST(dxXMLNode, WalksAndFindsChildren)
{
  Doc doc = NewDocument();
  doc->LoadFromString("<svg><defs/><G id=\"x\"><path/></G><g/></svg>");
  TdxXMLNode* svg = doc->GetRoot()->FindChild("SVG");
  ASSERT_NE(svg, nullptr);
  EXPECT_EQ(svg->GetCount(), 3);
  EXPECT_EQ(svg->GetItem(1)->GetName(), "G");
  EXPECT_EQ(svg->FindChild("g"), svg->GetItem(1));
  EXPECT_EQ(svg->GetItem(2)->Index(), 2);
  EXPECT_EQ(svg->Level(), 0);
  EXPECT_EQ(doc->GetRoot()->Level(), -1);
  EXPECT_EQ(doc->GetRoot()->Index(), -1);
  EXPECT_THROW(svg->GetItem(3), rtl::EListError);
  EXPECT_THROW(svg->GetItem(-1), rtl::EListError);
  EXPECT_EQ(doc->FindChild(std::vector<TdxXMLString>{"svg", "g", "path"})->Level(), 2);
  EXPECT_EQ(doc->FindChild(std::vector<TdxXMLString>{"svg", "x"}), nullptr);

  std::vector<std::string> names;
  doc->ForEach({"svg"}, [&](TdxXMLNode* ANode, void*) { names.push_back(ANode->GetName()); });
  EXPECT_EQ(names, (std::vector<std::string>{"defs", "G", "g"}));

  TdxXMLNode* found = nullptr;
  TdxXMLNode* empty = rtl::New<TdxXMLNode>();
  EXPECT_FALSE(empty->FindChild(std::vector<TdxXMLString>{}, found, true));
  EXPECT_EQ(found, empty);
  EXPECT_TRUE(empty->FindChild(std::vector<TdxXMLString>{"a", "b"}, found, true));
  EXPECT_EQ(XmlDump(empty), " {a {b}}");
  rtl::Free(empty);
}

TEST(dxXMLNode, FreeingAChildLeavesItsParentWhole)
{
  Doc doc = NewDocument();
  doc->LoadFromString("<r><a/><b/><c/></r>");
  TdxXMLNode* r = doc->GetRoot()->First();
  rtl::Free(r->GetItem(1));
  EXPECT_EQ(XmlDump(r), "r {a c}");
  rtl::Free(r->First());
  rtl::Free(r->First());
  EXPECT_FALSE(r->HasChildren());
  EXPECT_TRUE(r->IsEmpty());
}

TEST(dxXMLNode, AssignCopiesTheTreeWithoutText)
{
  Doc doc = NewDocument();
  doc->LoadFromString("<a k=\"v\">t<b x=\"1\">u</b></a>");
  rtl::TOwnedPtr<TdxXMLNode> copy(rtl::New<TdxXMLNode>());
  copy->Assign(doc->GetRoot()->First());
  EXPECT_EQ(XmlDump(copy.get()), "a k=\"v\" {b x=\"1\"}");
  EXPECT_EQ(copy->NameScope(), "");
}

TEST(dxXMLNodeAttributes, TypedValues)
{
  rtl::TOwnedPtr<TdxXMLNode> node(rtl::New<TdxXMLNode>());
  TdxXMLNodeAttributes* attrs = node->GetAttributes();
  attrs->Add("id", "first");
  attrs->Add("b", true);
  attrs->Add("i", 42);
  attrs->Add("f", 1.5);
  attrs->Add("w", L"\u00e9");
  EXPECT_EQ(attrs->GetValue("ID"), "first");
  EXPECT_EQ(attrs->GetValue("b"), "1");
  EXPECT_TRUE(attrs->GetValueAsBoolean("b"));
  EXPECT_EQ(attrs->GetValueAsInteger("i"), 42);
  EXPECT_EQ(attrs->GetValueAsFloat("f"), 1.5);
  EXPECT_EQ(attrs->GetValue("w"), "\xC3\xA9");
  EXPECT_EQ(attrs->GetValueAsString("w"), L"\u00e9");
  EXPECT_EQ(attrs->GetValue("none", "d"), "d");
  EXPECT_EQ(attrs->GetValueAsDefaultBoolean("none"), TdxDefaultBoolean::bDefault);

  struct Case {
    std::string_view Value;
    bool Boolean;
    int Integer;  // -999 when the integer read raises
  };
  const Case cases[] = {
      {"true", true, 1}, {"FALSE", false, 0}, {"2", true, 2}, {"-1", true, -1},
      {"0", false, 0},   {"yes", false, -999}, {"no", false, -999}, {"", false, -999},
  };
  for (const Case& c : cases) {
    attrs->SetValue("v", TdxXMLString(c.Value));
    EXPECT_EQ(attrs->GetValueAsBoolean("v"), c.Boolean) << c.Value;
    EXPECT_EQ(attrs->GetValueAsInteger("v", -999), c.Integer) << c.Value;
    TdxXMLNodeAttribute* attr = nullptr;
    ASSERT_TRUE(attrs->Find("V", attr));
    if (c.Integer == -999) {
      EXPECT_THROW(attr->GetValueAsInteger(), rtl::EConvertError) << c.Value;
    }
  }
  attrs->SetValue("f", "x");
  EXPECT_THROW(attrs->GetValueAsFloat("f"), rtl::EConvertError);

  // Setting keeps an attribute's place; bDefault deletes it.
  attrs->SetValueAsInteger("id", 7);
  EXPECT_EQ(attrs->First()->GetValue(), "7");
  attrs->SetValueAsDefaultBoolean("b", TdxDefaultBoolean::bDefault);
  EXPECT_FALSE(node->HasAttribute("b"));
  node->SetAttribute("var", rtl::Variant(12));
  EXPECT_EQ(attrs->GetValue("var"), "12");
  node->SetTextAsBoolean(true);
  EXPECT_EQ(node->GetText(), "true");
  EXPECT_TRUE(node->GetTextAsBoolean());
}

// ---------------------------------------------------------------------------
// Dates

TEST(dxXMLDateTime, ParsesAndWritesTheSchemaForm)
{
  struct Case {
    std::wstring_view Text;
    std::wstring_view Normal;  // ToString of the parsed fields
  };
  const Case cases[] = {
      {L"2021-03-04T05:06:07.089Z", L"2021-03-04T05:06:07.089Z"},
      {L"2020-01-02T03:04:05.5+01:30", L"2020-01-02T01:34:05.500Z"},
      {L"2020-01-02T00:30:00-01", L"2020-01-02T01:30:00.000Z"},
      {L"2020-01-01T00:30:00+01", L"2019-12-31T23:30:00.000Z"},
      {L"2020-01-02", L"2020-01-02T00:00:00.000"},
      {L"2020-01-02T03:04:05.9996", L"2020-01-02T03:04:05.999"},
  };
  for (const Case& c : cases) {
    TdxXMLDateTime value;
    value.Parse(rtl::String(c.Text));
    EXPECT_EQ(value.ToString(), c.Normal) << std::wstring(c.Text);
    TdxXMLDateTime again;
    again.Parse(value.ToString());
    again.Assign(again.ToDateTime(), again.IsUTC);
    EXPECT_EQ(again.ToString(), c.Normal) << std::wstring(c.Text);
  }
  TdxXMLDateTime value;
  value.Parse(L"2021-03-04T05:06:07.089Z");
  EXPECT_EQ(value.Millisecond, 89);
  EXPECT_TRUE(value.IsUTC);

  try {
    value.Parse(L"2020/01/02");
    ADD_FAILURE();
  } catch (const EdxXMLUnexpectedToken& E) {
    EXPECT_EQ(E.Message(), L"Unexpected token was founded (\"/\" in \"2020/01/02\")");
  }
  try {
    value.Parse(L"2020");
    ADD_FAILURE();
  } catch (const EdxXMLUnexpectedToken& E) {
    EXPECT_EQ(E.Message(), L"Unexpected token was founded (\"#0\" in \"2020\")");
  }
  value.Parse(L"2020-13-01");
  EXPECT_THROW(value.ToDateTime(), rtl::EConvertError);
  // A year that does not fit 16 bits must not wrap into a valid one.
  value.Parse(L"67536-01-01");
  EXPECT_THROW(value.ToDateTime(), rtl::EConvertError);
}

TEST(dxXMLDateTime, TypedAccessorsRoundTrip)
{
  rtl::TOwnedPtr<TdxXMLNode> node(rtl::New<TdxXMLNode>());
  TdxXMLDateTime value;
  value.Parse(L"1999-12-31T23:59:58.250");
  const rtl::TDateTime dt = value.ToDateTime();
  node->GetAttributes()->SetValueAsDateTime("d", dt);
  EXPECT_EQ(node->GetAttributes()->GetValue("d"), "1999-12-31T23:59:58.250");
  EXPECT_DOUBLE_EQ(node->GetAttributes()->GetValueAsDateTime("d"), dt);
  node->SetTextAsDateTime(dt);
  EXPECT_DOUBLE_EQ(node->GetTextAsDateTime(), dt);
  value.Parse(L"1800-06-15T12:00:00");
  TdxXMLDateTime back;
  back.Assign(value.ToDateTime(), false);
  EXPECT_EQ(back.ToString(), L"1800-06-15T12:00:00.000");
}
