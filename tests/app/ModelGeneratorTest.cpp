#include "app/ModelGenerator.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using rtl::String;

namespace {

// What a memo holds after each entry was added to it: every entry ends in CR LF.
String MemoText(const TGeneratedEntries& AEntries)
{
  String text;
  for (const String& entry : AEntries)
    text += entry + L"\r\n";
  return text;
}

String FromUtf8(const std::string& S)
{
  if (S.empty())
    return String();
  const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, S.data(), static_cast<int>(S.size()), nullptr, 0);
  String result(length, L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, S.data(), static_cast<int>(S.size()), result.data(), length);
  return result;
}

// Fixtures are UTF-8 text with LF line ends; the generated texts end every line
// in CR LF and hold no other line breaks.
String Fixture(const char* AName)
{
  std::string path = KV_FIXTURES_DIR "/";
  path += AName;
  std::ifstream file(path, std::ios::binary);
  EXPECT_TRUE(file) << "missing fixture " << AName;
  std::ostringstream content;
  content << file.rdbuf();
  String text;
  for (wchar_t c : FromUtf8(content.str())) {
    if (c == L'\n')
      text += L'\r';
    text += c;
  }
  return text;
}

String Model(const String& AName, const std::vector<String>& ALines)
{
  TGeneratedEntries entries;
  GenerateModelClass(AName, ALines, entries);
  return MemoText(entries);
}

String Crud(const String& AName, const std::vector<String>& ALines)
{
  TGeneratedEntries entries;
  GenerateCrudClass(AName, ALines, entries);
  return MemoText(entries);
}

bool Contains(const String& AText, const String& APart)
{
  return AText.find(APart) != String::npos;
}

const std::vector<String> CompanyLines = {L"String id;", L"String name;", L"List<Tag> tags;"};

}  // namespace

TEST(FieldLine, DerivedValues)
{
  struct Case {
    const wchar_t* Line;
    bool IsList;
    int LastSpace;
    const wchar_t* Name;
    const wchar_t* Element;  // only list lines have one
  };
  const Case cases[] = {
      {L"String id;", false, 6, L"id", nullptr},
      {L"  String id;", false, 8, L"id", nullptr},
      {L"List<Tag> tags;", true, 9, L"tags", L"Tag"},
      {L"List<Map<String, int>> maps;", true, 22, L"maps", L"String, int>"},
      // A blank after the ";" leaves nothing before a ";" behind the last blank.
      {L"String name; ", false, 12, L"", nullptr},
      {L"List<Tag> tags; ", true, 15, L"", L"Tag> tags"},
      {L"   ", false, 2, L"", nullptr},
      {L"x;", false, -1, L"x", nullptr},
      {L"String\tid;", false, -1, L"String\tid", nullptr},
      {L"String id", false, 6, L"", nullptr},
      {L"List<X>;", true, -1, L"List<X>", L""},
      {L"a List<T>;", true, 1, L"List<T>", L""},
      {L"list<Tag> tags;", false, 9, L"tags", nullptr},
      {L"String id ;", false, 9, L"", nullptr},
      {L"int  x\t;", false, 4, L"x", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "line [" << String(c.Line).size() << "] " << testing::PrintToString(String(c.Line)));
    EXPECT_EQ(IsListLine(c.Line), c.IsList);
    EXPECT_EQ(LastSpaceIndex(c.Line), c.LastSpace);
    EXPECT_EQ(FieldName(c.Line), c.Name);
    if (c.Element) {
      EXPECT_EQ(ElementType(c.Line), c.Element);
    }
  }
}

TEST(FieldLine, LowerAsciiModelNameLowersOnlyAToZ)
{
  EXPECT_EQ(LowerAsciiModelName(L"Company"), L"company");
  EXPECT_EQ(LowerAsciiModelName(L"ÉCOLE"), L"École");
  EXPECT_EQ(LowerAsciiModelName(L"ÄpfelBaum_2Z"), L"Äpfelbaum_2z");
  EXPECT_EQ(LowerAsciiModelName(L""), L"");
}

TEST(ModelClass, CompanyMatchesTheExpectedTextExactly)
{
  EXPECT_EQ(Model(L"Company", CompanyLines), Fixture("company_model.dart.txt"));
}

TEST(ModelClass, EmptyLinesAreSkippedAndLeaveOnlyTheFixedFrame)
{
  EXPECT_EQ(Model(L"Empty", {L"", L"", L""}), Fixture("empty_model.dart.txt"));
  EXPECT_EQ(Model(L"Empty", {}), Fixture("empty_model.dart.txt"));
  // Empty lines between fields change nothing.
  EXPECT_EQ(Model(L"Company", {L"", L"String id;", L"", L"String name;", L"List<Tag> tags;", L""}),
            Fixture("company_model.dart.txt"));
}

TEST(ModelClass, LineOfBlanksIsProcessedWithAnEmptyName)
{
  const String text = Model(L"M", {L"   "});
  EXPECT_TRUE(Contains(text, L"class M {\r\n\t   \r\n"));
  EXPECT_TRUE(Contains(text, L"\tM({\r\n\t   this.,\r\n\t});"));
  EXPECT_TRUE(Contains(text, L"\t\t = documentSnapshot.data()[\"\"];\r\n"));
  EXPECT_TRUE(Contains(text, L"\t\treturn '''M: { = ${this.}}''';\r\n"));
}

TEST(ModelClass, OnlyLowerCaseIdIsTheIdField)
{
  const String text = Model(L"M", {L"String Id;", L"String ID;", L"String id;"});
  EXPECT_TRUE(Contains(text, L"\tM({\r\n\t   this.Id,\r\n\t   this.ID,\r\n\t});"));
  EXPECT_TRUE(Contains(text, L"\t\tId = documentSnapshot.data()[\"Id\"];\r\n"
                             L"\t\tID = documentSnapshot.data()[\"ID\"];\r\n\t}"));
}

TEST(ModelClass, ListNamedIdStillGetsItsSnapshotBlock)
{
  const String text = Model(L"M", {L"List<Tag> id;"});
  EXPECT_TRUE(Contains(text, L"\tM({\r\n\t});"));
  EXPECT_TRUE(Contains(text, L"\t\tif (documentSnapshot.data()['id'] != null) {\r\n\t\t\tid = List<Tag>.from("));
}

TEST(ModelClass, NestedListAndTrailingBlankElementTypes)
{
  const String nested = Model(L"M", {L"List<Map<String, int>> maps;"});
  EXPECT_TRUE(Contains(nested, L"\t\t\tmaps = List<String, int>>.from(\r\n"));
  EXPECT_TRUE(Contains(nested, L"\t\t\t\t\t(e) => String, int>.fromJson(e),\r\n"));

  const String trailing = Model(L"M", {L"List<Tag> tags; "});
  EXPECT_TRUE(Contains(trailing, L"\t\t\t = List<Tag> tags>();\r\n"));
}

TEST(ModelClass, ModelNameIsUsedExactlyAsTyped)
{
  // A placeholder inside a value stays text: values are never scanned again.
  const String text = Model(L" My%sModel ", {L"int a;"});
  EXPECT_TRUE(Contains(text, L"class  My%sModel  {\r\n"));
  EXPECT_TRUE(Contains(text, L"\t My%sModel ({\r\n"));
  EXPECT_TRUE(Contains(text, L"\t My%sModel .fromJson(Map<String, dynamic> json) {\r\n"));
}

TEST(CrudClass, CompanyMatchesTheExpectedTextExactly)
{
  EXPECT_EQ(Crud(L"Company", CompanyLines), Fixture("company_crud.dart.txt"));
}

TEST(CrudClass, NonAsciiCapitalsStayInTheLowerCasedName)
{
  const String text = Crud(L"ÉCOLE", {L"String id;"});
  EXPECT_TRUE(Contains(text, L"class ÉCOLECrud {\r\n"));
  EXPECT_TRUE(Contains(text, L"\tStream<List<ÉCOLE>> ÉcoleStream() {\r\n"));
  EXPECT_TRUE(Contains(text, L"\t\t\t.collection(\"École\")\r\n"));
  EXPECT_TRUE(Contains(text, L"\tvoid addÉcole({ÉCOLE École}) {\r\n"));
  EXPECT_TRUE(Contains(text, L"\tvoid deleteÉCOLE({String id}) {\r\n"));
}

TEST(CrudClass, WithoutFieldsAddAndUpdateCloseAtOnce)
{
  const String text = Crud(L"M", {L"", L""});
  EXPECT_TRUE(Contains(text, L"\"dateCreated\": Timestamp.now(),\r\n\t\t\t})\r\n\t\t.then("));
  EXPECT_TRUE(Contains(text, L".doc(m.id).update({\r\n\t\t\t})\r\n\t\t.then("));
}

TEST(CrudClass, TwoGeneratesAppendTwoClasses)
{
  TGeneratedEntries entries;
  GenerateCrudClass(L"Company", CompanyLines, entries);
  GenerateCrudClass(L"Company", CompanyLines, entries);
  const String once = Fixture("company_crud.dart.txt");
  EXPECT_EQ(MemoText(entries), once + once);
}

TEST(GenerateInput, ModelNameIsCheckedBeforeFields)
{
  struct Case {
    const wchar_t* Name;
    const wchar_t* Fields;
    TGenerateInputError Error;
  };
  const Case cases[] = {
      {L"", L"", TGenerateInputError::NoModelName},
      {L"", L"String id;", TGenerateInputError::NoModelName},
      {L"M", L"", TGenerateInputError::NoModelFields},
      {L"M", L"\r\n", TGenerateInputError::None},
      {L"M", L"   ", TGenerateInputError::None},
      {L" ", L"String id;", TGenerateInputError::None},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CheckGenerateInput(c.Name, c.Fields), c.Error) << testing::PrintToString(String(c.Name));

  EXPECT_EQ(GenerateInputErrorText(TGenerateInputError::NoModelName), L"Please enter model name");
  EXPECT_EQ(GenerateInputErrorText(TGenerateInputError::NoModelFields), L"Please enter model fields");
  EXPECT_EQ(GenerateInputErrorText(TGenerateInputError::None), L"");
}
