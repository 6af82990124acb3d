#include "core/cxStorage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/cxClassesComponents.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/ClassesComponents.h"
#include "platform/rtl/ClassesStreams.h"
#include "platform/rtl/Registry.h"
#include "platform/rtl/TypInfo.h"

using rtl::String;
using rtl::Variant;

RTL_ENUM(TcxStorageTestShape, stsCircle, stsSquare, stsTriangle);
using TcxStorageTestShapes = rtl::TSet<TcxStorageTestShape>;

namespace {

using enum TcxStorageTestShape;

// A node of a layout: plain published values, and its owned nodes as
// children that a restore may create and delete.
class TcxStorageTestNode : public rtl::TComponent, public IcxStoredParent {
  RTL_CLASS(TcxStorageTestNode, rtl::TComponent)
  RTL_INTERFACES(IcxStoredParent)
  RTL_PUBLISHED(RTL_PROPERTY(Caption, FCaption, FCaption), RTL_PROPERTY(Width, FWidth, FWidth),
                RTL_PROPERTY(Ratio, FRatio, FRatio), RTL_PROPERTY(Visible, FVisible, FVisible),
                RTL_PROPERTY(Shape, FShape, FShape), RTL_PROPERTY(Shapes, FShapes, FShapes),
                RTL_PROPERTY(Big, FBig, FBig), RTL_PROPERTY(OnClick, FOnClick, FOnClick))

 public:
  static TcxStorageTestNode* Make(rtl::TComponent* AOwner, const String& AName)
  {
    auto* result = rtl::New<TcxStorageTestNode>(AOwner);
    result->SetName(AName);
    return result;
  }

  rtl::TObject* __stdcall CreateStoredChild(const String& AObjectName, const String& AClassName) override
  {
    return AClassName == L"TcxStorageTestNode" ? Make(this, AObjectName) : nullptr;
  }
  void __stdcall DeleteStoredChild(const String&, rtl::TObject* AObject) override { rtl::Free(AObject); }
  void __stdcall GetStoredChildren(rtl::TStringList* AChildren) override
  {
    for (int i = 0; i < GetComponentCount(); ++i)
      AChildren->AddObject(GetComponents(i)->GetName(), GetComponents(i));
  }

  // Every value of the node and its descendants, one line each.
  std::wstring Dump() const
  {
    std::wstring result = GetName() + L": " + FCaption + L"|" + std::to_wstring(FWidth) + L"|" +
                          std::to_wstring(FRatio) + L"|" + (FVisible ? L"T" : L"F") + L"|" +
                          std::to_wstring(static_cast<int>(FShape)) + L"|" + std::to_wstring(FShapes.ToOrd()) + L"|" +
                          std::to_wstring(FBig) + L"\n";
    for (int i = 0; i < GetComponentCount(); ++i)
      result += static_cast<TcxStorageTestNode*>(GetComponents(i))->Dump();
    return result;
  }

  String FCaption;
  int FWidth = 0;
  double FRatio = 0;
  bool FVisible = false;
  TcxStorageTestShape FShape = stsCircle;
  TcxStorageTestShapes FShapes;
  long long FBig = 0;
  rtl::TNotifyEvent FOnClick;
};

using TcxStorageTestNodePtr = rtl::TOwnedPtr<TcxStorageTestNode>;

TcxStorageTestNodePtr NewStoredTree()
{
  TcxStorageTestNodePtr root(TcxStorageTestNode::Make(nullptr, L"Layout"));
  root->FCaption = L"C:\\dir\r\nx\ty \"q\"";
  root->FWidth = 120;
  root->FRatio = 1.5;
  root->FVisible = true;
  root->FShape = stsSquare;
  root->FShapes = {stsCircle, stsTriangle};
  root->FBig = 0x123456789ALL;
  TcxStorageTestNode* group = TcxStorageTestNode::Make(root.get(), L"Group1");
  group->FCaption = L"\u0413\u0440\u0443\u043F\u043F\u0430";
  group->FWidth = -40000;
  group->FBig = -5;
  TcxStorageTestNode* item = TcxStorageTestNode::Make(group, L"Item1");
  item->FCaption = L"\u6F22\u5B57";
  item->FRatio = -0.25;
  return root;
}

// A tree the restore must reshape: Group1 is missing, Extra is not stored.
TcxStorageTestNodePtr NewTargetTree()
{
  TcxStorageTestNodePtr root(TcxStorageTestNode::Make(nullptr, L"Layout"));
  root->FWidth = 7;
  TcxStorageTestNode::Make(root.get(), L"Extra");
  return root;
}

class cxStorageTestTempDir {
 public:
  cxStorageTestTempDir()
  {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    FPath = String(base) + L"kvstorage" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(FPath.c_str(), nullptr);
  }
  ~cxStorageTestTempDir()
  {
    DeleteFileW(File().c_str());
    RemoveDirectoryW(FPath.c_str());
  }
  String File() const { return FPath + L"\\layout.ini"; }

 private:
  String FPath;
};

constexpr wchar_t kRegistryBase[] = L"Software\\KelvaroStorageTests";

String RegistryStorageName()
{
  return String(L"HKCU\\") + kRegistryBase + L"\\" + std::to_wstring(GetCurrentProcessId());
}

// One storage format: where a storage of it lives and how a test damages it.
struct TcxStorageTestFormat {
  const char* Name;
  std::function<void(TcxStorage*, rtl::TObject*)> Store;
  std::function<void(TcxStorage*, rtl::TObject*)> Restore;
};

class cxStorage : public testing::Test {
 protected:
  void SetUp() override { FStream.reset(rtl::New<rtl::TMemoryStream>()); }
  void TearDown() override
  {
    const rtl::TOwnedPtr<rtl::TRegistry> registry(rtl::New<rtl::TRegistry>());
    registry->DeleteKey(cxStorageGetKeyPath(RegistryStorageName()));
    RegDeleteKeyW(HKEY_CURRENT_USER, kRegistryBase);
  }

  rtl::TOwnedPtr<TcxStorage> NewStorage(const String& AName)
  {
    rtl::TOwnedPtr<TcxStorage> result(rtl::New<TcxStorage>(AName, FStream.get()));
    result->SetModes({TcxStorageMode::smChildrenCreating, TcxStorageMode::smChildrenDeleting});
    return result;
  }

  std::vector<TcxStorageTestFormat> Formats()
  {
    return {
        {"ini", [](TcxStorage* S, rtl::TObject* O) { S->StoreToIni(O); },
         [](TcxStorage* S, rtl::TObject* O) { S->RestoreFromIni(O); }},
        {"registry", [](TcxStorage* S, rtl::TObject* O) { S->StoreToRegistry(O); },
         [](TcxStorage* S, rtl::TObject* O) { S->RestoreFromRegistry(O); }},
        {"stream", [](TcxStorage* S, rtl::TObject* O) { S->StoreToStream(O); },
         [this](TcxStorage* S, rtl::TObject* O) {
           FStream->SetPosition(0);
           S->RestoreFromStream(O);
         }},
    };
  }

  String StorageName(const std::string& AFormat) const
  {
    if (AFormat == "ini")
      return FDir.File();
    if (AFormat == "registry")
      return RegistryStorageName();
    return String();
  }

  std::string FileText() const
  {
    rtl::TOwnedPtr<rtl::TMemoryStream> file(rtl::New<rtl::TMemoryStream>());
    file->LoadFromFile(FDir.File());
    return std::string(static_cast<const char*>(file->Memory()), static_cast<std::size_t>(file->GetSize()));
  }

  void WriteFile(const std::string& AText) const
  {
    rtl::TOwnedPtr<rtl::TMemoryStream> file(rtl::New<rtl::TMemoryStream>());
    file->Write(AText.data(), static_cast<int>(AText.size()));
    file->SaveToFile(FDir.File());
  }

  cxStorageTestTempDir FDir;
  rtl::TOwnedPtr<rtl::TMemoryStream> FStream;
};

template <class E>
String ErrorOf(const std::function<void()>& ACall)
{
  try {
    ACall();
  } catch (const E& Error) {
    return Error.Message();
  }
  return L"(no error)";
}

}  // namespace

TEST_F(cxStorage, ATreeComesBackWholeThroughEveryFormat)
{
  const TcxStorageTestNodePtr source = NewStoredTree();
  for (const TcxStorageTestFormat& format : Formats()) {
    SCOPED_TRACE(format.Name);
    const rtl::TOwnedPtr<TcxStorage> storage = NewStorage(StorageName(format.Name));
    format.Store(storage.get(), source.get());

    const TcxStorageTestNodePtr target = NewTargetTree();
    format.Restore(storage.get(), target.get());
    EXPECT_EQ(source->Dump(), target->Dump());
  }
}

TEST_F(cxStorage, DamagedStorageIsRefusedBeforeAnyValueIsRestored)
{
  struct TCase {
    const char* Format;
    std::function<void()> Damage;
    const wchar_t* Message;
  } cases[] = {
      {"ini", [this] { WriteFile(FileText() + "[Layout/Cut: TcxStorageTestNode]\r\nCaption=\"half a tex\r\n"); },
       L"the value Caption of [Layout/Cut: TcxStorageTestNode] is cut off"},
      {"ini", [this] { WriteFile(FileText() + "[Layout/NoClass]\r\nWidth=1\r\n"); },
       L"the section [Layout/NoClass] names no class"},
      {"ini", [this] { WriteFile("\xEF\xBB\xBF[Main]\r\nVersion=two\r\n"); }, L"the version \"two\" is no number"},
      {"registry",
       [] {
         const rtl::TOwnedPtr<rtl::TRegistry> registry(rtl::New<rtl::TRegistry>());
         ASSERT_TRUE(registry->OpenKey(cxStorageGetKeyPath(RegistryStorageName()) + L"\\Layout\\Group1", false));
         registry->WriteBinaryData(L"Ratio", "abc", 3);
       },
       L"the value Ratio of the key"},
      {"stream", [this] { FStream->SetSize(FStream->GetSize() - 3); }, L"Stream read error"},
      {"stream",
       [this] {
         // The tag of the root's first property ("Caption") becomes 42.
         std::uint8_t* bytes = static_cast<std::uint8_t*>(FStream->Memory());
         const std::string text(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(FStream->GetSize()));
         bytes[text.find("Caption") + 7 + 1] = 42;
       },
       L"Unknown value type of the property Caption"},
  };
  const TcxStorageTestNodePtr source = NewStoredTree();
  for (const TCase& test : cases) {
    SCOPED_TRACE(testing::Message() << test.Format << " " << testing::PrintToString(String(test.Message)));
    const TcxStorageTestFormat format = [&] {
      for (const TcxStorageTestFormat& each : Formats())
        if (std::string(each.Name) == test.Format)
          return each;
      return TcxStorageTestFormat{};
    }();
    FStream->Clear();
    const rtl::TOwnedPtr<TcxStorage> storage = NewStorage(StorageName(test.Format));
    format.Store(storage.get(), source.get());
    test.Damage();

    const TcxStorageTestNodePtr target = NewTargetTree();
    const std::wstring before = target->Dump();
    const String message = ErrorOf<rtl::Exception>([&] { format.Restore(storage.get(), target.get()); });
    EXPECT_NE(String::npos, message.find(test.Message)) << testing::PrintToString(message);
    EXPECT_NE(String::npos, message.find(L"damaged")) << testing::PrintToString(message);
    EXPECT_EQ(before, target->Dump());
  }
}

TEST_F(cxStorage, IniFileTextIsEscapedAndKeepsOtherRoots)
{
  const TcxStorageTestNodePtr source = NewStoredTree();
  TcxStorageTestNodePtr other(TcxStorageTestNode::Make(nullptr, L"LayoutB"));
  const rtl::TOwnedPtr<TcxStorage> storage = NewStorage(FDir.File());
  storage->StoreToIni(other.get());
  storage->SetReCreate(false);
  storage->StoreToIni(source.get());
  source->FWidth = 5;
  rtl::Free(source->GetComponents(0)->GetComponents(0));
  storage->StoreToIni(source.get());

  const std::string text = FileText();
  EXPECT_EQ(0u, text.find("\xEF\xBB\xBF[Main]\r\nVersion=2\r\n\r\n"));
  EXPECT_NE(std::string::npos, text.find("[LayoutB: TcxStorageTestNode]\r\n=\r\n"));
  EXPECT_NE(std::string::npos, text.find("[Layout: TcxStorageTestNode]\r\n=\r\nName=\"Layout\"\r\nTag=0\r\n"
                                         "Caption=\"C:\\\\dir\\nx\\ty \"q\"\"\r\nWidth=5\r\n"));
  EXPECT_NE(std::string::npos, text.find("Visible=\"True\"\r\n"));
  EXPECT_NE(std::string::npos, text.find("Shapes=\"[stsCircle,stsTriangle]\"\r\n"));
  EXPECT_NE(std::string::npos, text.find("Big=78187493530\r\n"));
  EXPECT_EQ(std::string::npos, text.find("OnClick"));
  // The item's section went with the item; the group's stays.
  EXPECT_NE(std::string::npos, text.find("[Layout/Group1: TcxStorageTestNode]"));
  EXPECT_EQ(std::string::npos, text.find("Item1"));
}

TEST_F(cxStorage, RegistryReaderAnswersNothingForAMissingObjectKey)
{
  const TcxStorageTestNodePtr source = NewStoredTree();
  NewStorage(RegistryStorageName())->StoreToRegistry(source.get());

  const rtl::TOwnedPtr<TcxRegistryReader> reader(rtl::New<TcxRegistryReader>(RegistryStorageName(), nullptr));
  const rtl::TOwnedPtr<rtl::TStringList> names(rtl::New<rtl::TStringList>());
  const rtl::TOwnedPtr<rtl::TStringList> classes(rtl::New<rtl::TStringList>());
  reader->ReadProperties(L"Layout", L"", names.get());
  EXPECT_EQ(Variant(120), reader->ReadProperty(L"Layout", L"", L"Width"));
  EXPECT_EQ(Variant(std::int64_t(0x123456789ALL)), reader->ReadProperty(L"Layout", L"", L"Big"));

  names->Clear();
  reader->ReadProperties(L"Layout/Missing", L"", names.get());
  reader->ReadChildren(L"Layout/Missing", L"", names.get(), classes.get());
  EXPECT_EQ(0, names->GetCount());
  EXPECT_TRUE(rtl::VarIsNull(reader->ReadProperty(L"Layout/Missing", L"", L"Width")));
}

TEST(cxStorageHelpers, RegistryNamesAndObjectPaths)
{
  struct TCase {
    const wchar_t* StorageName;
    HKEY Root;
    const wchar_t* KeyPath;
  } cases[] = {
      {L"HKLM\\Software\\Test", HKEY_LOCAL_MACHINE, L"\\Software\\Test"},
      {L"hklm\\Software\\Test", nullptr, L"\\hklm\\Software\\Test"},
      {L"Software\\Test", nullptr, L"\\Software\\Test"},
      {L"\\Software\\Test", nullptr, L"\\Software\\Test"},
      {L"HKU\\S", HKEY_USERS, L"\\S"},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(testing::PrintToString(String(test.StorageName)));
    EXPECT_EQ(test.Root, cxStorageGetRootKey(test.StorageName));
    EXPECT_EQ(String(test.KeyPath), cxStorageGetKeyPath(test.StorageName));
  }
  const rtl::TOwnedPtr<rtl::TStringList> list(rtl::New<rtl::TStringList>());
  EXPECT_EQ(L"Item1", cxStorageSplitObjectPath(L"Form1.Layout/Group1/Item1", list.get()));
  EXPECT_EQ(L"Form1.Layout\r\nGroup1\r\n", list->GetText());
}

namespace {

// An object that names its values itself and has no published ones.
class TcxStorageTestBare : public rtl::TComponent, public IcxStoredObject {
  RTL_CLASS(TcxStorageTestBare, rtl::TComponent)
  RTL_INTERFACES(IcxStoredObject)

 public:
  String __stdcall GetStoredObjectName() override { return L"R"; }
  bool __stdcall GetStoredProperties(rtl::TStrings* AProperties) override
  {
    for (const auto& [name, value] : Values)
      AProperties->Add(name);
    return true;
  }
  void __stdcall GetStoredPropertyValue(const String& AName, Variant& AValue) override
  {
    for (const auto& [name, value] : Values)
      if (name == AName)
        AValue = value;
  }
  void __stdcall SetStoredPropertyValue(const String& AName, const Variant& AValue) override
  {
    Restored.emplace_back(AName, AValue);
  }

  std::vector<std::pair<String, Variant>> Values;
  std::vector<std::pair<String, Variant>> Restored;
};

std::vector<std::uint8_t> Bytes(rtl::TMemoryStream* AStream)
{
  const auto* data = static_cast<const std::uint8_t*>(AStream->Memory());
  return std::vector<std::uint8_t>(data, data + AStream->GetSize());
}

}  // namespace

TEST(cxStorageStream, RecordsAreWrittenByteForByteAndUntaggedValuesAreLeftOut)
{
  const rtl::TOwnedPtr<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
  const rtl::TOwnedPtr<TcxStorageTestBare> bare(rtl::New<TcxStorageTestBare>(nullptr));
  const rtl::TOwnedPtr<TcxStorage> storage(rtl::New<TcxStorage>(stream.get()));
  stream->Write("xy", 2);
  storage->StoreToStream(bare.get());
  const std::vector<std::uint8_t> empty = {'x', 'y', 0x06, 1, 'R', 0x06, 18, 'T', 'c', 'x', 'S', 't', 'o', 'r', 'a',
                                           'g', 'e', 'T', 'e', 's', 't', 'B', 'a', 'r', 'e', 0x02, 0, 0x02, 0};
  EXPECT_EQ(empty, Bytes(stream.get()));

  // A value beyond 32 bits takes the 8-byte form and reads back whole; an
  // unsigned 64-bit value has no tag and is not written at all.
  stream->Clear();
  bare->Values = {{L"Big", Variant(std::int64_t(5000000000LL))},
                  {L"Huge", Variant(std::uint64_t(1))},
                  {L"B", Variant::FromByte(200)}};
  storage->StoreToStream(bare.get());
  const std::vector<std::uint8_t> bytes = Bytes(stream.get());
  const std::vector<std::uint8_t> big = {0x06, 3, 'B', 'i', 'g', 0x02, 6, 0x13, 0x00, 0xF2, 0x05, 0x2A, 1, 0, 0, 0};
  EXPECT_NE(bytes.end(), std::search(bytes.begin(), bytes.end(), big.begin(), big.end()));
  stream->SetPosition(0);
  storage->RestoreFromStream(bare.get());
  ASSERT_EQ(2u, bare->Restored.size());
  EXPECT_EQ(L"Big", bare->Restored[0].first);
  EXPECT_EQ(rtl::varInt64, bare->Restored[0].second.VarType());
  EXPECT_EQ(5000000000LL, bare->Restored[0].second.AsInt64());
  EXPECT_EQ(rtl::varByte, bare->Restored[1].second.VarType());
  EXPECT_EQ(200, bare->Restored[1].second.AsInteger());
}

namespace {

// Writes down every call a store makes.
class TcxStorageTestRecorder : public TcxCustomWriter {
  RTL_CLASS(TcxStorageTestRecorder, TcxCustomWriter)

 public:
  void EraseObject(const String& AObjectName, const String&) override { Lines.push_back(L"erase " + AObjectName); }
  void BeginWriteObject(const String& AObjectName, const String& AClassName) override
  {
    Lines.push_back(L"begin " + AObjectName + L" " + AClassName);
  }
  void WriteProperty(const String& AObjectName, const String&, const String& AName, const Variant& AValue) override
  {
    Lines.push_back(AObjectName + L" " + AName + L"=" + rtl::VarToStr(AValue));
  }
  void EndWriteObject(const String& AObjectName, const String&) override { Lines.push_back(L"end " + AObjectName); }

  std::vector<String> Lines;
};

class TcxStorageTestItem : public rtl::TCollectionItem {
  RTL_CLASS(TcxStorageTestItem, rtl::TCollectionItem)
  RTL_PUBLISHED(RTL_PROPERTY(Value, FValue, FValue))

 public:
  int FValue = 0;
};

// Records the DPI its values arrive at; refuses one value silently.
class TcxStorageTestScaled : public TcxScalableComponent {
  RTL_CLASS(TcxStorageTestScaled, TcxScalableComponent)
  RTL_PUBLISHED(RTL_PROPERTY(Width, GetWidth, SetWidth), RTL_PROPERTY(Refused, GetRefused, SetRefused))

 public:
  int GetWidth() const { return FWidth; }
  void SetWidth(int AValue)
  {
    FWidth = AValue;
    WidthDPI = GetPixelsPerInch();
  }
  int GetRefused() const { return 1; }
  void SetRefused(int) { throw rtl::EAbort(L"refused"); }

  int FWidth = 0;
  int WidthDPI = 0;
};

}  // namespace

TEST(cxStorageEngine, PathsValuesAndChildrenOfAStore)
{
  const TcxStorageTestNodePtr source = NewStoredTree();
  rtl::Free(source->GetComponents(0));
  source->FCaption = L"c";
  const rtl::TOwnedPtr<rtl::TCollection> items(
      rtl::New<rtl::TCollection>(rtl::TCollectionItemClass::Of<TcxStorageTestItem>()));
  static_cast<TcxStorageTestItem*>(items->Add())->FValue = 3;

  struct TCase {
    const char* Name;
    std::function<void(TcxStorage*)> Setup;
    rtl::TObject* Object;
    std::vector<String> Lines;
  } cases[] = {
      {"prefix, text forms, no events, no children",
       [](TcxStorage* S) { S->SetNamePrefix(L"Form1"); },
       source.get(),
       {L"erase Form1.Layout", L"begin Form1.Layout TcxStorageTestNode", L"Form1.Layout Name=Layout",
        L"Form1.Layout Tag=0", L"Form1.Layout Caption=c", L"Form1.Layout Width=120", L"Form1.Layout Ratio=1.5",
        L"Form1.Layout Visible=True", L"Form1.Layout Shape=stsSquare",
        L"Form1.Layout Shapes=[stsCircle,stsTriangle]", L"Form1.Layout Big=78187493530", L"end Form1.Layout"}},
      {"collection items by index",
       [](TcxStorage* S) { S->SetModes({TcxStorageMode::smSavePublishedClassProperties}); },
       items.get(),
       {L"erase Object", L"begin Object TCollection", L"begin Object/0 TcxStorageTestItem", L"Object/0 Value=3",
        L"end Object/0", L"end Object"}},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Name);
    const rtl::TOwnedPtr<TcxStorage> storage(rtl::New<TcxStorage>(String()));
    test.Setup(storage.get());
    const rtl::TOwnedPtr<TcxStorageTestRecorder> recorder(rtl::New<TcxStorageTestRecorder>(String(), false));
    storage->StoreWithExistingWriter(test.Object, recorder.get());
    EXPECT_EQ(test.Lines, recorder->Lines);
  }
}

namespace {

using TcxStorageTestProperties = std::vector<std::pair<String, Variant>>;

// A stream holding one root object with these values and children.
void WriteStreamTree(rtl::TStream* AStream, const String& ARoot, const TcxStorageTestProperties& AValues,
                     const std::vector<std::pair<String, TcxStorageTestProperties>>& AChildren = {})
{
  const rtl::TOwnedPtr<TcxStreamWriter> writer(rtl::New<TcxStreamWriter>(String(), AStream, true));
  writer->BeginWriteObject(ARoot, L"T");
  for (const auto& [name, value] : AValues)
    writer->WriteProperty(ARoot, L"T", name, value);
  for (const auto& [child, values] : AChildren) {
    const String path = ARoot + L"/" + child;
    writer->BeginWriteObject(path, L"T");
    for (const auto& [name, value] : values)
      writer->WriteProperty(path, L"T", name, value);
  }
  writer->FinishWriting();
  AStream->SetPosition(0);
}

// The error handler's answer: go on, and the names it was asked about.
class TcxStorageTestErrors {
 public:
  bool Handle(TcxStorage*, const String& AName, const Variant&)
  {
    Names.push_back(AName);
    return true;
  }
  std::vector<String> Names;
};

}  // namespace

TEST(cxStorageEngine, StoredCollectionItemsComeBackInIndexOrder)
{
  const rtl::TOwnedPtr<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
  WriteStreamTree(stream.get(), L"Object", {},
                  {{L"10", {{L"Value", Variant(10)}}}, {L"2", {{L"Value", Variant(2)}}}, {L"1", {{L"Value", Variant(1)}}}});
  const rtl::TOwnedPtr<rtl::TCollection> items(
      rtl::New<rtl::TCollection>(rtl::TCollectionItemClass::Of<TcxStorageTestItem>()));
  items->Add();
  const rtl::TOwnedPtr<TcxStorage> storage(rtl::New<TcxStorage>(stream.get()));
  storage->SetModes({TcxStorageMode::smChildrenCreating, TcxStorageMode::smSavePublishedClassProperties});
  storage->RestoreFromStream(items.get());
  std::vector<int> values;
  for (int i = 0; i < items->GetCount(); ++i)
    values.push_back(static_cast<TcxStorageTestItem*>(items->GetItems(i))->FValue);
  EXPECT_EQ(std::vector<int>({0, 1, 2, 10}), values);
}

TEST(cxStorageEngine, ValuesArriveAtTheStoredDPIAndFailuresAreHandledPerValue)
{
  const rtl::TOwnedPtr<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
  const rtl::TOwnedPtr<TcxStorageTestScaled> source(rtl::New<TcxStorageTestScaled>(nullptr));
  source->SetName(L"Scaled");
  source->ChangeScale(3, 2);
  source->SetWidth(50);
  const rtl::TOwnedPtr<TcxStorage> storage(rtl::New<TcxStorage>(stream.get()));
  storage->StoreToStream(source.get());
  EXPECT_EQ(144, source->GetPixelsPerInch());

  // Refused raises the silent abort, which never stops a restore.
  const rtl::TOwnedPtr<TcxStorageTestScaled> target(rtl::New<TcxStorageTestScaled>(nullptr));
  target->SetName(L"Scaled");
  stream->SetPosition(0);
  storage->RestoreFromStream(target.get());
  EXPECT_EQ(50, target->GetWidth());
  EXPECT_EQ(144, target->WidthDPI);
  EXPECT_EQ(96, target->GetPixelsPerInch());
  EXPECT_EQ(144, storage->GetStoredDPI());

  // A value the property cannot take stops the restore unless the handler
  // lets it go on.
  stream->Clear();
  WriteStreamTree(stream.get(), L"Layout", {{L"Width", Variant(L"wide")}, {L"Caption", Variant(L"after")}});
  const TcxStorageTestNodePtr node(TcxStorageTestNode::Make(nullptr, L"Layout"));
  EXPECT_NE(L"(no error)", ErrorOf<rtl::Exception>([&] { storage->RestoreFromStream(node.get()); }));
  EXPECT_EQ(L"", node->FCaption);
  TcxStorageTestErrors errors;
  storage->SetOnSetStoredPropertyValueError(
      TcxSetStoredPropertyValueErrorEvent::Bind<&TcxStorageTestErrors::Handle>(&errors));
  stream->SetPosition(0);
  storage->RestoreFromStream(node.get());
  EXPECT_EQ(std::vector<String>({L"Width"}), errors.Names);
  EXPECT_EQ(L"after", node->FCaption);
}

namespace {

// A stream that takes no bytes, as a full disk does.
class TcxStorageTestFullStream : public rtl::TMemoryStream {
  RTL_CLASS(TcxStorageTestFullStream, rtl::TMemoryStream)

 public:
  int Write(const void*, int) override { return 0; }
};

}  // namespace

TEST(cxStorageStream, AStreamThatTakesNoBytesFailsTheStore)
{
  const rtl::TOwnedPtr<TcxStorageTestFullStream> stream(rtl::New<TcxStorageTestFullStream>());
  const rtl::TOwnedPtr<TcxStorageTestBare> bare(rtl::New<TcxStorageTestBare>(nullptr));
  const rtl::TOwnedPtr<TcxStorage> storage(rtl::New<TcxStorage>(stream.get()));
  EXPECT_NE(L"(no error)", ErrorOf<rtl::EWriteError>([&] { storage->StoreToStream(bare.get()); }));
}
