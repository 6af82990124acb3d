#include "app/ModelGenerator.h"

#include <cassert>
#include <initializer_list>
#include <string_view>

using rtl::String;

namespace {

// Replaces each "%s" of ATemplate, left to right, by the next value. The
// values are copied as they are: a "%s" inside a field name stays text.
String Fill(std::wstring_view ATemplate, std::initializer_list<std::wstring_view> AValues)
{
  String result;
  result.reserve(ATemplate.size() + 16 * AValues.size());
  auto value = AValues.begin();
  size_t start = 0;
  for (size_t pos = ATemplate.find(L"%s"); pos != std::wstring_view::npos; pos = ATemplate.find(L"%s", start)) {
    assert(value != AValues.end());
    result.append(ATemplate.substr(start, pos - start)).append(*value++);
    start = pos + 2;
  }
  assert(value == AValues.end());
  result.append(ATemplate.substr(start));
  return result;
}

bool IsBlankOrControl(wchar_t C)
{
  return C <= L' ';
}

String TrimBlanksAndControls(std::wstring_view S)
{
  size_t first = 0;
  size_t last = S.size();
  while (first < last && IsBlankOrControl(S[first]))
    ++first;
  while (last > first && IsBlankOrControl(S[last - 1]))
    --last;
  return String(S.substr(first, last - first));
}

// What every loop over the field lines needs of one line, read once.
struct TFieldLine {
  const String* Text;
  bool IsList;
  String Name;

  bool IsId() const { return Name == L"id"; }
};

std::vector<TFieldLine> ReadFieldLines(std::span<const String> AFieldLines)
{
  std::vector<TFieldLine> result;
  result.reserve(AFieldLines.size());
  for (const String& line : AFieldLines)
    if (!line.empty())
      result.push_back({&line, IsListLine(line), FieldName(line)});
  return result;
}

void AddEmptyEntries(TGeneratedEntries& AEntries, int ACount)
{
  AEntries.insert(AEntries.end(), ACount, String());
}

// The toString body lists every field, "id" included, and loses its final comma.
String ToStringFields(const std::vector<TFieldLine>& AFields)
{
  String result;
  for (const TFieldLine& field : AFields)
    result += Fill(L"%s = ${this.%s},", {field.Name, field.Name});
  if (!result.empty())
    result.pop_back();
  return result;
}

void AddConstructor(const String& N, const std::vector<TFieldLine>& AFields, TGeneratedEntries& AEntries)
{
  AEntries.push_back(L"\t" + N + L"({");
  for (const TFieldLine& field : AFields)
    if (!field.IsId())
      AEntries.push_back(Fill(L"\t   this.%s,", {field.Name}));
  AEntries.push_back(L"\t});");
}

void AddFromDocumentSnapshot(const String& N, const std::vector<TFieldLine>& AFields, TGeneratedEntries& AEntries)
{
  AEntries.push_back(L"//fromDocumentSnapshot");
  AEntries.push_back(Fill(L"\t%s.fromDocumentSnapshot({DocumentSnapshot documentSnapshot}) {\r\n"
                          L"\t\tid = documentSnapshot.id;", {N}));
  for (const TFieldLine& field : AFields) {
    if (field.IsList) {
      const String element = ElementType(*field.Text);
      AEntries.push_back(Fill(L"\t\tif (documentSnapshot.data()['%s'] != null) {\r\n"
                              L"\t\t\t%s = List<%s>.from(\r\n"
                              L"\t\t\t\tdocumentSnapshot.data()['%s'].map(\r\n"
                              L"\t\t\t\t\t(e) => %s.fromJson(e),\r\n"
                              L"\t\t\t\t),\r\n"
                              L"\t\t\t);\r\n"
                              L"\t\t}",
                              {field.Name, field.Name, element, field.Name, element}));
    } else if (!field.IsId()) {
      AEntries.push_back(Fill(L"\t\t%s = documentSnapshot.data()[\"%s\"];", {field.Name, field.Name}));
    }
  }
  AEntries.push_back(L"\t}");
}

void AddToString(const String& N, const std::vector<TFieldLine>& AFields, TGeneratedEntries& AEntries)
{
  AEntries.push_back(L"//toString");
  AEntries.push_back(L"\t@override\r\n\tString toString() {");
  AEntries.push_back(Fill(L"\t\treturn '''%s: {%s}''';", {N, ToStringFields(AFields)}));
  AEntries.push_back(L"\t}");
}

void AddFromJson(const String& N, const std::vector<TFieldLine>& AFields, TGeneratedEntries& AEntries)
{
  AEntries.push_back(L"//fromJson");
  AEntries.push_back(Fill(L"\t%s.fromJson(Map<String, dynamic> json) {", {N}));
  for (const TFieldLine& field : AFields) {
    if (field.IsList) {
      const String element = ElementType(*field.Text);
      AEntries.push_back(Fill(L"\t\tif (json['%s'] != null) {\r\n"
                              L"\t\t\t%s = List<%s>();\r\n"
                              L"\t\t\tjson['%s'].forEach((v) {\r\n"
                              L"\t\t\t\t%s.add(%s.fromJson(v));\r\n"
                              L"\t\t\t});\r\n"
                              L"\t\t}",
                              {field.Name, field.Name, element, field.Name, field.Name, element}));
    } else {
      AEntries.push_back(Fill(L"\t\t%s = json['%s'];", {field.Name, field.Name}));
    }
  }
  AEntries.push_back(L"\t}");
}

void AddToJson(const std::vector<TFieldLine>& AFields, TGeneratedEntries& AEntries)
{
  AEntries.push_back(L"//toJson");
  AEntries.push_back(L"\tMap<String, dynamic> toJson() {\r\n"
                     L"\t\tfinal Map<String, dynamic> data = Map<String, dynamic>();");
  for (const TFieldLine& field : AFields) {
    if (field.IsList)
      AEntries.push_back(Fill(L"\t\tif (this.%s != null) {\r\n"
                              L"\t\t\tdata['%s'] =\r\n"
                              L"\t\t\tthis.%s.map((v) => v.toJson()).toList();\r\n"
                              L"\t\t}",
                              {field.Name, field.Name, field.Name}));
    else
      AEntries.push_back(Fill(L"\t\tdata['%s'] = this.%s;", {field.Name, field.Name}));
  }
  AEntries.push_back(L"\t\t\treturn data;");
  AEntries.push_back(L"\t}");
}

// One field of the map that add and update write.
String CrudFieldEntry(const TFieldLine& AField, const String& n)
{
  if (AField.IsList)
    return Fill(L"\t\t\t\t\"%s\": %s.%s != null\r\n"
                L"\t\t\t\t? %s.%s.map((e) => e.toJson()).toList()\r\n"
                L"\t\t\t\t: [],",
                {AField.Name, n, AField.Name, n, AField.Name});
  return Fill(L"\t\t\t\t\"%s\": %s.%s,", {AField.Name, n, AField.Name});
}

constexpr std::wstring_view CrudClosingBlock =
    L"\t\t\t})\r\n"
    L"\t\t.then((value) => print('success'))\r\n"
    L"\t\t.catchError((err) {\r\n"
    L"\t\t\tprint(err.message);\r\n"
    L"\t\t\tprint(err.code);\r\n"
    L"\t\t});\r\n"
    L"\t}";

}  // namespace

bool IsListLine(const String& ALine)
{
  return ALine.find(L"List<") != String::npos;
}

int LastSpaceIndex(const String& ALine)
{
  const size_t pos = ALine.rfind(L' ');
  return pos == String::npos ? -1 : static_cast<int>(pos);
}

String FieldName(const String& ALine)
{
  const int k = LastSpaceIndex(ALine);
  const std::wstring_view rest = std::wstring_view(ALine).substr(k < 0 ? 0 : k);
  const size_t semicolon = rest.find(L';');
  if (semicolon == std::wstring_view::npos)
    return String();
  return TrimBlanksAndControls(rest.substr(0, semicolon));
}

String ElementType(const String& ALine)
{
  const int k = LastSpaceIndex(ALine);
  if (k < 2)
    return String();
  const std::wstring_view head = std::wstring_view(ALine).substr(0, k - 1);
  const size_t lastOpen = head.rfind(L'<');
  String result;
  for (wchar_t c : head.substr(lastOpen == std::wstring_view::npos ? 0 : lastOpen))
    if (c != L'<')
      result += c;
  return result;
}

String LowerAsciiModelName(const String& AModelName)
{
  String result = AModelName;
  for (wchar_t& c : result)
    if (c >= L'A' && c <= L'Z')
      c = static_cast<wchar_t>(c - L'A' + L'a');
  return result;
}

void GenerateModelClass(const String& AModelName, std::span<const String> AFieldLines, TGeneratedEntries& AEntries)
{
  const String& N = AModelName;
  const std::vector<TFieldLine> fields = ReadFieldLines(AFieldLines);

  AEntries.push_back(Fill(L"class %s {", {N}));
  for (const TFieldLine& field : fields)
    AEntries.push_back(L"\t" + *field.Text);
  AddEmptyEntries(AEntries, 3);
  AddConstructor(N, fields, AEntries);
  AddEmptyEntries(AEntries, 3);
  AddFromDocumentSnapshot(N, fields, AEntries);
  AddEmptyEntries(AEntries, 3);
  AddToString(N, fields, AEntries);
  AddEmptyEntries(AEntries, 3);
  AddFromJson(N, fields, AEntries);
  AddEmptyEntries(AEntries, 3);
  AddToJson(fields, AEntries);
  AEntries.push_back(L"}");
}

void GenerateCrudClass(const String& AModelName, std::span<const String> AFieldLines, TGeneratedEntries& AEntries)
{
  const String& N = AModelName;
  const String n = LowerAsciiModelName(AModelName);
  const std::vector<TFieldLine> fields = ReadFieldLines(AFieldLines);

  AEntries.push_back(Fill(L"class %sCrud {\r\n"
                          L"\tfinal FirebaseFirestore _firestore = FirebaseFirestore.instance;", {N}));
  AddEmptyEntries(AEntries, 1);
  AEntries.push_back(Fill(L"\tStream<List<%s>> %sStream() {\r\n"
                          L"\t\treturn _firestore\r\n"
                          L"\t\t\t.collection(\"%s\")\r\n"
                          L"\t\t\t.snapshots()\r\n"
                          L"\t\t\t.map((QuerySnapshot query) {\r\n"
                          L"\t\t\tList<%s> retVal = List();\r\n"
                          L"\t\t\tquery.docs.forEach((element) async {\r\n"
                          L"\t\t\t\tretVal.add(\r\n"
                          L"\t\t\t\t\t%s.fromDocumentSnapshot(\r\n"
                          L"\t\t\t\t\t\tdocumentSnapshot: element,\r\n"
                          L"\t\t\t\t\t),\r\n"
                          L"\t\t\t\t);\r\n"
                          L"\t\t\t});\r\n"
                          L"\t\t\treturn retVal;\r\n"
                          L"\t\t});\r\n"
                          L"\t}",
                          {N, n, n, N, N}));
  AddEmptyEntries(AEntries, 1);

  // add writes every field, "id" included, after a creation stamp.
  AEntries.push_back(Fill(L"\tvoid add%s({%s %s}) {\r\n"
                          L"\t\t_firestore\r\n"
                          L"\t\t\t.collection(\"%s\").doc().set({\r\n"
                          L"\t\t\t\t\"dateCreated\": Timestamp.now(),",
                          {n, N, n, n}));
  for (const TFieldLine& field : fields)
    AEntries.push_back(CrudFieldEntry(field, n));
  AEntries.emplace_back(CrudClosingBlock);
  AddEmptyEntries(AEntries, 1);

  // update addresses the document by its id and leaves the id itself alone.
  AEntries.push_back(Fill(L"\tvoid update%s({%s %s}) {\r\n"
                          L"\t\t_firestore\r\n"
                          L"\t\t\t.collection(\"%s\").doc(%s.id).update({",
                          {n, N, n, n, n}));
  for (const TFieldLine& field : fields)
    if (!field.IsId())
      AEntries.push_back(CrudFieldEntry(field, n));
  AEntries.emplace_back(CrudClosingBlock);
  AddEmptyEntries(AEntries, 1);

  AEntries.push_back(Fill(L"\tvoid delete%s({String id}) {\r\n"
                          L"\t\t_firestore\r\n"
                          L"\t\t\t.collection(\"%s\").doc(id).delete()\r\n"
                          L"\t\t\t.then((value) => print('success'))\r\n"
                          L"\t\t.catchError((err) {\r\n"
                          L"\t\t\tprint(err.message);\r\n"
                          L"\t\t\tprint(err.code);\r\n"
                          L"\t\t});\r\n"
                          L"\t}",
                          {N, n}));
  AEntries.push_back(L"}");
}

TGenerateInputError CheckGenerateInput(const String& AModelName, const String& AFieldsText)
{
  if (AModelName.empty())
    return TGenerateInputError::NoModelName;
  if (AFieldsText.empty())
    return TGenerateInputError::NoModelFields;
  return TGenerateInputError::None;
}

String GenerateInputErrorText(TGenerateInputError AError)
{
  switch (AError) {
    case TGenerateInputError::NoModelName:
      return L"Please enter model name";
    case TGenerateInputError::NoModelFields:
      return L"Please enter model fields";
    case TGenerateInputError::None:
      break;
  }
  return String();
}
