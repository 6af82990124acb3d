#include "core/cxStorage.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "core/cxClassesComponents.h"
#include "core/cxLibraryStrs.h"
#include "core/dxCore.h"
#include "core/dxDPIAwareUtils.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/ClassesComponents.h"
#include "platform/rtl/ClassesFiler.h"
#include "platform/rtl/ClassesStreams.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Registry.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/SysUtilsFormat.h"
#include "platform/rtl/TypInfo.h"
#include "platform/vcl/Controls.h"

using rtl::String;
using rtl::TObject;
using rtl::Variant;

namespace {

constexpr wchar_t kClassNameKey[] = L"[ClassName]";
constexpr wchar_t kClassNameValue[] = L"ClassName";
constexpr wchar_t kSourceDPI[] = L"SourceDPI";
constexpr wchar_t kMainSection[] = L"Main";
constexpr wchar_t kVersionName[] = L"Version";
constexpr int kIniFileVersion = 2;
constexpr int kStreamBufferSize = 500000;
// Deeper trees than any layout has come only from damaged data; the limit
// keeps such data from exhausting the stack.
constexpr int kMaxStreamDepth = 1000;

using TStringListPtr = rtl::TOwnedPtr<rtl::TStringList>;

TStringListPtr NewStringList()
{
  return TStringListPtr(rtl::New<rtl::TStringList>());
}

std::vector<String> SplitObjectPath(const String& APath, String& ALast)
{
  std::vector<String> result;
  std::size_t start = 0;
  for (std::size_t slash = APath.find(L'/'); slash != String::npos; slash = APath.find(L'/', start)) {
    result.push_back(APath.substr(start, slash - start));
    start = slash + 1;
  }
  ALast = APath.substr(start);
  return result;
}

bool IsIntegerVarType(rtl::TVarType AType)
{
  switch (AType) {
    case rtl::varSmallint:
    case rtl::varInteger:
    case rtl::varShortInt:
    case rtl::varByte:
    case rtl::varWord:
    case rtl::varLongWord:
    case rtl::varInt64:
      return true;
    default:
      return false;
  }
}

bool IsStringVarType(rtl::TVarType AType)
{
  return AType == rtl::varOleStr || AType == rtl::varString || AType == rtl::varUString;
}

bool FitsInteger(std::int64_t AValue)
{
  return AValue >= INT_MIN && AValue <= INT_MAX;
}

// The narrowest variant that holds the integer: 32 bits where it fits, so
// values read back as they were stored before 64-bit values were kept.
Variant IntegerVariant(std::int64_t AValue)
{
  return FitsInteger(AValue) ? Variant(static_cast<std::int32_t>(AValue)) : Variant(AValue);
}

bool TryTextToFloat(const String& AText, double& AValue)
{
  return rtl::TryStrToFloat(AText, AValue, rtl::TFormatSettings::Invariant());
}

// The platform's date text, as the writers produce it.
bool TryTextToDate(const String& AText, Variant& AValue)
{
  try {
    AValue = Variant(AText).CastTo(rtl::varDate);
    return true;
  } catch (const rtl::Exception&) {
    return false;
  }
}

// An unquoted stored text: the number or date it holds, else the text.
Variant TextToValue(const String& AText, bool AIntegers)
{
  if (AIntegers) {
    std::int64_t number;
    if (rtl::TryStrToInt64(AText, number))
      return IntegerVariant(number);
  }
  double value;
  if (TryTextToFloat(AText, value))
    return Variant(value);
  Variant date;
  if (TryTextToDate(AText, date))
    return date;
  return Variant(AText);
}

bool IsStoredParent(TObject* AObject)
{
  return rtl::Supports<IcxStoredParent>(AObject);
}

bool IsPlainCollection(TObject* AObject)
{
  return rtl::Is<rtl::TCollection>(AObject) && !IsStoredParent(AObject);
}

int CollectionItemIndex(const String& AName)
{
  int result;
  return rtl::TryStrToInt(AName, result) ? result : -1;
}

// The DPI questions the engine asks of a stored object: controls answer
// for themselves, other scalable objects through their scale factor.
int CurrentDPIOf(TObject* AObject)
{
  if (rtl::Is<vcl::TControl>(AObject))
    return static_cast<vcl::TControl*>(AObject)->GetCurrentPPI();
  return dxGetSystemDPI();
}

void ScaleObjectForPPI(TObject* AObject, int ATargetPPI)
{
  if (rtl::Is<vcl::TControl>(AObject)) {
    static_cast<vcl::TControl*>(AObject)->ScaleForPPI(ATargetPPI);
    return;
  }
  rtl::IPtr<IcxScalableComponent> scalable;
  if (rtl::Supports(AObject, &scalable)) {
    scalable->ScaleForPPI(ATargetPPI);
    return;
  }
  rtl::IPtr<IdxScaleFactor> scaleFactor;
  if (rtl::Supports(AObject, &scaleFactor))
    scaleFactor->GetScaleFactor()->Change(ATargetPPI, dxGetTargetDPI(scaleFactor->GetScaleFactor()));
}

TPoint OriginalParentSizeOf(TObject* AObject)
{
  return rtl::Is<vcl::TControl>(AObject) ? static_cast<vcl::TControl*>(AObject)->GetOriginalParentSize() : TPoint{};
}

void SetOriginalParentSizeOf(TObject* AObject, const TPoint& ASize)
{
  if (!rtl::Is<vcl::TControl>(AObject))
    return;
  auto* control = static_cast<vcl::TControl*>(AObject);
  if (control->GetParent())
    control->SetOriginalParentSize(ASize);
}

bool FileExists(const String& AFileName)
{
  const DWORD attributes = GetFileAttributesW(AFileName.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

// ---------------------------------------------------------------------------
// Helpers

String cxStorageQuoteString(const String& AText, rtl::Char AQuote)
{
  return AQuote + AText + AQuote;
}

bool cxStorageIsQuotedString(const String& AText, rtl::Char AQuote)
{
  return AText.size() > 1 && AText.front() == AQuote && AText.back() == AQuote;
}

String cxStorageUnquoteString(const String& AText)
{
  return AText.size() < 2 ? String() : AText.substr(1, AText.size() - 2);
}

HKEY cxStorageGetRootKey(const String& AStorageName)
{
  static const struct {
    const wchar_t* Prefix;
    HKEY Key;
  } roots[] = {{L"HKCR", HKEY_CLASSES_ROOT},     {L"HKCU", HKEY_CURRENT_USER},    {L"HKLM", HKEY_LOCAL_MACHINE},
               {L"HKU", HKEY_USERS},             {L"HKPD", HKEY_PERFORMANCE_DATA}, {L"HKCC", HKEY_CURRENT_CONFIG},
               {L"HKDD", HKEY_DYN_DATA}};
  const std::size_t backslash = AStorageName.find(L'\\');
  if (backslash == String::npos)
    return nullptr;
  const String prefix = AStorageName.substr(0, backslash);
  for (const auto& root : roots)
    if (prefix == root.Prefix)
      return root.Key;
  return nullptr;
}

String cxStorageGetKeyPath(const String& AStorageName)
{
  if (cxStorageGetRootKey(AStorageName))
    return AStorageName.substr(AStorageName.find(L'\\'));
  if (!AStorageName.empty() && AStorageName.front() == L'\\')
    return AStorageName;
  return L'\\' + AStorageName;
}

String cxStorageSplitObjectPath(const String& APath, rtl::TStrings* AList)
{
  String last;
  for (const String& segment : SplitObjectPath(APath, last))
    AList->Add(segment);
  return last;
}

// ---------------------------------------------------------------------------
// TcxCustomReader, TcxCustomWriter

void TcxCustomReader::Create(const String& AStorageName, rtl::TStream* AStorageStream)
{
  FStorageName = AStorageName;
  SetStream(AStorageStream);
}

void TcxCustomReader::SetStream(rtl::TStream* AStream)
{
  if (AStream != FStorageStream)
    AssignStream(AStream);
}

void TcxCustomReader::ReadProperties(const String&, const String&, rtl::TStrings*) {}

Variant TcxCustomReader::ReadProperty(const String&, const String&, const String&)
{
  return rtl::Null();
}

void TcxCustomReader::ReadChildren(const String&, const String&, rtl::TStrings*, rtl::TStrings*) {}

void TcxCustomWriter::Create(const String& AStorageName, rtl::TStream* AStorageStream, bool AReCreate)
{
  FStorageName = AStorageName;
  FReCreate = AReCreate;
  SetStream(AStorageStream);
}

void TcxCustomWriter::SetStream(rtl::TStream* AStream)
{
  if (AStream != FStorageStream)
    AssignStream(AStream);
}

// ---------------------------------------------------------------------------
// TcxStorage: set-up and entry points

void TcxStorage::Create(const String& AStorageName, rtl::TStream* AStorageStream)
{
  FStorageName = AStorageName;
  FStorageStream = AStorageStream;
  FReCreate = true;
}

TcxStorageModes TcxStorage::EffectiveModes() const
{
  return FOnGetStorageModes ? FOnGetStorageModes() : FModes;
}

bool TcxStorage::EffectiveUseInterfaceOnly() const
{
  return FOnGetUseInterfaceOnly ? FOnGetUseInterfaceOnly() : FUseInterfaceOnly;
}

void TcxStorage::RestoreFrom(TObject* AObject, TcxCustomReaderClass AReaderClass)
{
  const rtl::TOwnedPtr<TcxCustomReader> reader(AReaderClass.Create(FStorageName, FStorageStream));
  RestoreWithExistingReader(AObject, reader.get());
}

void TcxStorage::RestoreWithExistingReader(TObject* AObject, TcxCustomReader* AReader)
{
  if (!AReader || !AReader->IsReadable())
    return;
  FStoredObject = AObject;
  FStoredDPI = 0;
  AReader->StartReading();
  try {
    const TPoint parentSize = OriginalParentSizeOf(AObject);
    RestoreObjectTree(AReader, String());
    if (CurrentDPIOf(AObject) != FStoredDPI)
      SetOriginalParentSizeOf(AObject, parentSize);
  } catch (...) {
    AReader->FinishReading();
    throw;
  }
  AReader->FinishReading();
}

void TcxStorage::StoreTo(TObject* AObject, TcxCustomWriterClass AWriterClass)
{
  const rtl::TOwnedPtr<TcxCustomWriter> writer(AWriterClass.Create(FStorageName, FStorageStream, FReCreate));
  StoreWithExistingWriter(AObject, writer.get());
}

void TcxStorage::StoreWithExistingWriter(TObject* AObject, TcxCustomWriter* AWriter)
{
  if (!AWriter || !AWriter->IsWritable())
    return;
  FStoredObject = AObject;
  AWriter->StartWriting();
  try {
    AWriter->EraseObject(ObjectPath(String()), AObject->ClassName());
    StoreObjectTree(AWriter, String());
  } catch (...) {
    AWriter->FinishWriting();
    throw;
  }
  AWriter->FinishWriting();
}

void TcxStorage::RestoreFromIni(TObject* AObject)
{
  RestoreFrom(AObject, TcxCustomReaderClass::Of<TcxIniFileReader>());
}

void TcxStorage::RestoreFromRegistry(TObject* AObject)
{
  RestoreFrom(AObject, TcxCustomReaderClass::Of<TcxRegistryReader>());
}

void TcxStorage::RestoreFromStream(TObject* AObject)
{
  RestoreFrom(AObject, TcxCustomReaderClass::Of<TcxStreamReader>());
}

void TcxStorage::StoreToIni(TObject* AObject)
{
  StoreTo(AObject, TcxCustomWriterClass::Of<TcxIniFileWriter>());
}

void TcxStorage::StoreToRegistry(TObject* AObject)
{
  StoreTo(AObject, TcxCustomWriterClass::Of<TcxRegistryWriter>());
}

void TcxStorage::StoreToStream(TObject* AObject)
{
  StoreTo(AObject, TcxCustomWriterClass::Of<TcxStreamWriter>());
}

// ---------------------------------------------------------------------------
// TcxStorage: names and scaling

String TcxStorage::ObjectName(const String& AName) const
{
  if (!AName.empty())
    return AName;
  rtl::IPtr<IcxStoredObject> stored;
  if (rtl::Supports(FStoredObject, &stored))
    return stored->GetStoredObjectName();
  if (rtl::Is<rtl::TComponent>(FStoredObject))
    return static_cast<rtl::TComponent*>(FStoredObject)->GetName();
  return L"Object";
}

String TcxStorage::ObjectPath(const String& AName) const
{
  const String path = FObjectNamePrefix + ObjectName(AName);
  return FNamePrefix.empty() ? path : FNamePrefix + L'.' + path;
}

void TcxStorage::BeginAccess()
{
  rtl::IPtr<IdxScaleFactor> scaleFactor;
  FPreviousDPI = rtl::Supports(FStoredObject, &scaleFactor) ? dxGetTargetDPI(scaleFactor->GetScaleFactor()) : 0;
  rtl::IPtr<IcxStorageAccessNotify> notify;
  if (rtl::Supports(FStoredObject, &notify))
    notify->BeginStorageAccess();
}

void TcxStorage::EndAccess()
{
  Rescale(FPreviousDPI);
  rtl::IPtr<IcxStorageAccessNotify> notify;
  if (rtl::Supports(FStoredObject, &notify))
    notify->EndStorageAccess();
}

void TcxStorage::Rescale(int ADPI)
{
  if (ADPI <= 30)
    return;
  rtl::IPtr<IdxScaleFactor> scaleFactor;
  if (rtl::Supports(FStoredObject, &scaleFactor) && dxGetTargetDPI(scaleFactor->GetScaleFactor()) == ADPI)
    return;
  ScaleObjectForPPI(FStoredObject, ADPI);
}

// ---------------------------------------------------------------------------
// TcxStorage: property values

void TcxStorage::GetPropertyNames(rtl::TStrings* ANames)
{
  rtl::IPtr<IcxStoredObject> stored;
  if (rtl::Supports(FStoredObject, &stored) && stored->GetStoredProperties(ANames))
    return;
  for (const rtl::TPropInfo* prop : rtl::GetPropList(FStoredObject, rtl::tkProperties))
    ANames->Add(String(prop->Name));
}

Variant TcxStorage::GetPropertyValue(const String& AName)
{
  using enum rtl::TTypeKind;
  Variant result = rtl::Null();
  rtl::IPtr<IcxStoredObject> stored;
  rtl::Supports(FStoredObject, &stored);
  const rtl::TPropInfo* prop = EffectiveUseInterfaceOnly() ? nullptr : rtl::GetPropInfo(FStoredObject, AName);
  if (!prop) {
    if (stored)
      stored->GetStoredPropertyValue(AName, result);
  } else {
    switch (prop->PropType->Kind) {
      case tkInteger:
      case tkChar:
      case tkWChar:
        result = Variant(static_cast<std::int32_t>(rtl::GetOrdProp(FStoredObject, prop)));
        break;
      case tkEnumeration:
        result = Variant(rtl::GetEnumProp(FStoredObject, prop));
        break;
      case tkFloat:
        result = Variant(static_cast<double>(rtl::GetFloatProp(FStoredObject, prop)));
        break;
      case tkString:
      case tkLString:
      case tkUString:
        result = Variant(rtl::GetStrProp(FStoredObject, prop));
        break;
      case tkWString:
        result = Variant::FromOleStr(rtl::GetStrProp(FStoredObject, prop));
        break;
      case tkSet:
        result = Variant(rtl::GetSetProp(FStoredObject, prop, true));
        break;
      case tkClass:
        if (FSaveComponentPropertiesByName) {
          TObject* value = rtl::GetObjectProp(FStoredObject, prop);
          result = rtl::Is<rtl::TComponent>(value) ? Variant(static_cast<rtl::TComponent*>(value)->GetName())
                                                   : Variant();
        } else if (stored) {
          stored->GetStoredPropertyValue(AName, result);
        }
        break;
      case tkVariant:
        result = rtl::GetVariantProp(FStoredObject, prop);
        break;
      case tkInt64:
        result = Variant(rtl::GetInt64Prop(FStoredObject, prop));
        break;
      default:
        if (stored)
          stored->GetStoredPropertyValue(AName, result);
        break;
    }
  }
  if (result.VarType() == rtl::varBoolean)
    result = Variant(String(result.AsBoolean() ? L"True" : L"False"));
  return result;
}

void TcxStorage::SetPropertyValue(const String& AName, const Variant& AValue)
{
  using enum rtl::TTypeKind;
  if (rtl::VarIsNull(AValue))
    return;
  rtl::IPtr<IcxStoredObject> stored;
  rtl::Supports(FStoredObject, &stored);
  const rtl::TPropInfo* prop = EffectiveUseInterfaceOnly() ? nullptr : rtl::GetPropInfo(FStoredObject, AName);
  const auto toInterface = [&] {
    if (stored)
      stored->SetStoredPropertyValue(AName, AValue);
  };
  if (!prop) {
    toInterface();
    return;
  }
  switch (prop->PropType->Kind) {
    case tkInteger:
    case tkChar:
    case tkWChar:
      rtl::SetOrdProp(FStoredObject, prop, AValue.AsInteger());
      break;
    case tkEnumeration:
      rtl::SetEnumProp(FStoredObject, prop, rtl::VarToStr(AValue));
      break;
    case tkFloat:
      rtl::SetFloatProp(FStoredObject, prop, AValue.AsDouble());
      break;
    case tkString:
    case tkLString:
    case tkUString:
    case tkWString:
      rtl::SetStrProp(FStoredObject, prop, rtl::VarToStr(AValue));
      break;
    case tkSet:
      rtl::SetSetProp(FStoredObject, prop, rtl::VarToStr(AValue));
      break;
    case tkClass: {
      const rtl::TClass propClass = rtl::GetObjectPropClass(prop);
      if (!FSaveComponentPropertiesByName || !rtl::VarIsStr(AValue) || !propClass ||
          !propClass->InheritsFrom(rtl::TComponent::StaticClass())) {
        toInterface();
      } else if (FOnGetComponentByName) {
        if (rtl::TComponent* component = FOnGetComponentByName(rtl::VarToStr(AValue)))
          rtl::SetObjectProp(FStoredObject, prop, component);
      }
      break;
    }
    case tkVariant:
      rtl::SetVariantProp(FStoredObject, prop, AValue);
      break;
    case tkInt64:
      rtl::SetInt64Prop(FStoredObject, prop, AValue.AsInt64());
      break;
    default:
      toInterface();
      break;
  }
}

void TcxStorage::RestoreProperty(const String& AName, const Variant& AValue)
{
  try {
    SetPropertyValue(AName, AValue);
  } catch (const rtl::EAbort&) {
  } catch (const rtl::Exception&) {
    if (!FOnSetStoredPropertyValueError || !FOnSetStoredPropertyValueError(this, AName, AValue))
      throw;
  }
}

// ---------------------------------------------------------------------------
// TcxStorage: children

std::vector<TcxStorage::TChild> TcxStorage::GetChildren()
{
  std::vector<TChild> result;
  rtl::IPtr<IcxStoredParent> parent;
  if (rtl::Supports(FStoredObject, &parent)) {
    const TStringListPtr children = NewStringList();
    parent->GetStoredChildren(children.get());
    for (int i = 0; i < children->GetCount(); ++i)
      result.push_back({children->GetStrings(i), children->GetObjects(i)});
  }
  if (!EffectiveModes().Contains(TcxStorageMode::smSavePublishedClassProperties))
    return result;
  if (IsPlainCollection(FStoredObject)) {
    auto* collection = static_cast<rtl::TCollection*>(FStoredObject);
    for (int i = 0; i < collection->GetCount(); ++i)
      result.push_back({rtl::IntToStr(i), collection->GetItems(i)});
  }
  for (const rtl::TPropInfo* prop : rtl::GetPropList(FStoredObject, {rtl::TTypeKind::tkClass})) {
    TObject* value = rtl::GetObjectProp(FStoredObject, prop);
    const String name(prop->Name);
    if (value && (!FOnTestClassProperty || FOnTestClassProperty(name, value)))
      result.push_back({name, value});
  }
  return result;
}

TObject* TcxStorage::CreateChild(const String& AName, const String& AClassName)
{
  TObject* result = nullptr;
  rtl::IPtr<IcxStoredParent> parent;
  if (rtl::Supports(FStoredObject, &parent))
    result = parent->CreateStoredChild(AName, AClassName);
  if (!result && rtl::Is<rtl::TCollection>(FStoredObject))
    result = static_cast<rtl::TCollection*>(FStoredObject)->Add();
  return result;
}

void TcxStorage::DeleteChild(const TChild& AChild)
{
  rtl::IPtr<IcxStoredParent> parent;
  if (rtl::Supports(FStoredObject, &parent)) {
    // A child that refuses stays, whatever its parent is.
    rtl::IPtr<IcxStoredChildRemoval> removal;
    if (!rtl::Supports(AChild.Object, &removal) || removal->AllowParentDelete())
      parent->DeleteStoredChild(AChild.Name, AChild.Object);
  } else if (rtl::Is<rtl::TCollection>(FStoredObject)) {
    rtl::Free(AChild.Object);
  }
}

rtl::TOwnedPtr<TcxStorage> TcxStorage::NewChildStorage(TObject* AChild, const String& APath, bool ARestoring)
{
  rtl::TOwnedPtr<TcxStorage> result(rtl::New<TcxStorage>(FStorageName, FStorageStream));
  result->FObjectNamePrefix = APath + L'/';
  result->FStoredObject = AChild;
  result->FOnTestClassProperty = FOnTestClassProperty;
  result->FOnGetComponentByName = FOnGetComponentByName;
  if (ARestoring)
    result->FOnSetStoredPropertyValueError = FOnSetStoredPropertyValueError;
  result->FModes = FModes;
  result->FSaveComponentPropertiesByName = FSaveComponentPropertiesByName;
  return result;
}

// ---------------------------------------------------------------------------
// TcxStorage: the walks

void TcxStorage::StoreObjectTree(TcxCustomWriter* AWriter, const String& AName)
{
  BeginAccess();
  const String path = ObjectPath(AName);
  const String className = FStoredObject->ClassName();
  AWriter->BeginWriteObject(path, className);
  if (FPreviousDPI > 0)
    AWriter->WriteProperty(path, className, kSourceDPI, Variant(FPreviousDPI));
  const TStringListPtr names = NewStringList();
  GetPropertyNames(names.get());
  for (int i = 0; i < names->GetCount(); ++i) {
    const String name = names->GetStrings(i);
    const Variant value = GetPropertyValue(name);
    if (!rtl::VarIsClear(value) && !rtl::VarIsNull(value))
      AWriter->WriteProperty(path, className, name, value);
  }
  for (const TChild& child : GetChildren())
    NewChildStorage(child.Object, path, false)->StoreObjectTree(AWriter, child.Name);
  AWriter->EndWriteObject(path, className);
  EndAccess();
}

void TcxStorage::RestoreObjectTree(TcxCustomReader* AReader, const String& AName)
{
  BeginAccess();
  const String path = ObjectPath(AName);
  const String className = FStoredObject->ClassName();

  const TStringListPtr names = NewStringList();
  AReader->ReadProperties(path, className, names.get());
  const Variant sourceDPI = AReader->ReadProperty(path, className, kSourceDPI);
  if (rtl::VarIsNumeric(sourceDPI)) {
    FStoredDPI = sourceDPI.AsInteger();
    Rescale(FStoredDPI);
  }
  for (int i = 0; i < names->GetCount(); ++i) {
    const String name = names->GetStrings(i);
    if (name.empty())
      continue;
    const Variant value = AReader->ReadProperty(path, className, name);
    if (!rtl::VarIsNull(value))
      RestoreProperty(name, value);
  }

  const TStringListPtr storedNames = NewStringList();
  const TStringListPtr storedClassNames = NewStringList();
  AReader->ReadChildren(path, className, storedNames.get(), storedClassNames.get());
  std::vector<std::pair<String, String>> stored;
  for (int i = 0; i < storedNames->GetCount(); ++i)
    stored.emplace_back(storedNames->GetStrings(i),
                        i < storedClassNames->GetCount() ? storedClassNames->GetStrings(i) : String());
  if (IsPlainCollection(FStoredObject))
    std::stable_sort(stored.begin(), stored.end(), [](const auto& A, const auto& B) {
      return CollectionItemIndex(A.first) < CollectionItemIndex(B.first);
    });

  std::vector<TChild> present = GetChildren();
  for (TChild& child : present)
    if (child.Name.empty())
      child.Name = NewChildStorage(child.Object, path, true)->ObjectName(String());
  const TcxStorageModes modes = EffectiveModes();
  for (const auto& [storedName, storedClass] : stored) {
    TObject* child = nullptr;
    String childName = storedName;
    const auto found = std::find_if(present.begin(), present.end(),
                                    [&](const TChild& AChild) { return rtl::SameText(AChild.Name, storedName); });
    if (found != present.end()) {
      child = found->Object;
      childName = found->Name;
      present.erase(found);
    } else if (modes.Contains(TcxStorageMode::smChildrenCreating)) {
      child = CreateChild(storedName, storedClass);
    }
    if (child)
      NewChildStorage(child, path, true)->RestoreObjectTree(AReader, childName);
  }
  if (modes.Contains(TcxStorageMode::smChildrenDeleting))
    for (const TChild& child : present)
      DeleteChild(child);
  EndAccess();
}

// ---------------------------------------------------------------------------
// Ini files

namespace {

String IniSectionName(const String& AObjectName, const String& AClassName)
{
  return AObjectName + L": " + AClassName;
}

String EscapeIniString(const String& AText)
{
  String result;
  for (std::size_t i = 0; i < AText.size(); ++i) {
    const wchar_t c = AText[i];
    if (c == L'\\') {
      result += L"\\\\";
    } else if (c == L'\r' && i + 1 < AText.size() && AText[i + 1] == L'\n') {
      result += L"\\n";
      ++i;
    } else if (c == L'\t') {
      result += L"\\t";
    } else {
      result += c;
    }
  }
  return cxStorageQuoteString(result);
}

String ReplaceAllIgnoringCase(const String& AText, const String& AFrom, const String& ATo)
{
  return rtl::StringReplace(AText, AFrom, ATo, rtl::rfReplaceAll | rtl::rfIgnoreCase);
}

[[noreturn]] void RaiseDamagedIni(const String& AFileName, const String& AWhat)
{
  throw rtl::EReadError(rtl::Format(L"The stored layout \"%s\" is damaged: %s", {AFileName, AWhat}));
}

}  // namespace

void TcxIniFileReader::Create(const String& AStorageName, rtl::TStream* AStorageStream)
{
  inherited::Create(AStorageName, AStorageStream);
  FIniFile = rtl::New<rtl::TMemIniFile>(AStorageName);
}

void TcxIniFileReader::Destroy()
{
  rtl::FreeAndNil(FIniFile);
  inherited::Destroy();
}

bool TcxIniFileReader::IsReadable()
{
  return FileExists(GetStorageName());
}

void TcxIniFileReader::StartReading()
{
  CheckIntegrity();
  FStorageVersion = FIniFile->ReadInteger(kMainSection, kVersionName, -1);
}

// A file cut short or edited by hand may hold what no store writes: a
// version that is no number, an object section without a class, a quoted
// value without its closing quote. Such a file is refused as a whole before
// any value reaches an object.
void TcxIniFileReader::CheckIntegrity()
{
  const String fileName = GetStorageName();
  const String version = FIniFile->ReadString(kMainSection, kVersionName, String());
  int versionNumber;
  if (FIniFile->ValueExists(kMainSection, kVersionName) && !rtl::TryStrToInt(version, versionNumber))
    RaiseDamagedIni(fileName, rtl::Format(L"the version \"%s\" is no number", {version}));
  const TStringListPtr sections = NewStringList();
  const TStringListPtr values = NewStringList();
  FIniFile->ReadSections(sections.get());
  for (int i = 0; i < sections->GetCount(); ++i) {
    const String section = sections->GetStrings(i);
    if (rtl::SameText(section, kMainSection))
      continue;
    if (section.find(L':') == String::npos)
      RaiseDamagedIni(fileName, rtl::Format(L"the section [%s] names no class", {section}));
    FIniFile->ReadSection(section, values.get());
    for (int j = 0; j < values->GetCount(); ++j) {
      const String value = FIniFile->ReadString(section, values->GetStrings(j), String());
      if (!value.empty() && value.front() == L'"' && !cxStorageIsQuotedString(value))
        RaiseDamagedIni(fileName, rtl::Format(L"the value %s of [%s] is cut off", {values->GetStrings(j), section}));
    }
  }
}

void TcxIniFileReader::ReadProperties(const String& AObjectName, const String& AClassName,
                                      rtl::TStrings* AProperties)
{
  FIniFile->ReadSection(IniSectionName(AObjectName, AClassName), AProperties);
}

Variant TcxIniFileReader::ReadProperty(const String& AObjectName, const String& AClassName, const String& AName)
{
  const String text = FIniFile->ReadString(IniSectionName(AObjectName, AClassName), AName, String());
  if (cxStorageIsQuotedString(text))
    return Variant(DecodeString(cxStorageUnquoteString(text)));
  return TextToValue(text, true);
}

String TcxIniFileReader::DecodeString(const String& AText) const
{
  if (FStorageVersion == 0)
    return rtl::StringReplace(ReplaceAllIgnoringCase(AText, L" \\n", L"\r\n"), L"\\\\n", L"\\n", rtl::rfReplaceAll);
  if (FStorageVersion != 1 && FStorageVersion != 2)
    return AText;
  String result;
  for (std::size_t i = 0; i < AText.size(); ++i) {
    if (AText[i] != L'\\') {
      result += AText[i];
      continue;
    }
    if (++i == AText.size())
      break;
    if (AText[i] == L'n')
      result += L"\r\n";
    else if (AText[i] == L't')
      result += L'\t';
    else
      result += L'\\';
  }
  return result;
}

void TcxIniFileReader::ParseSections()
{
  FSectionsParsed = true;
  const TStringListPtr sections = NewStringList();
  FIniFile->ReadSections(sections.get());
  for (int i = 0; i < sections->GetCount(); ++i) {
    TSectionInfo info;
    String gathered;
    for (const wchar_t c : sections->GetStrings(i)) {
      if (c == L'/') {
        info.Path += gathered + L'/';
        gathered.clear();
      } else if (c == L':') {
        info.ObjectName = gathered;
        gathered.clear();
      } else {
        gathered += c;
      }
    }
    info.ClassName = rtl::Trim(gathered);
    info.Path = rtl::UpperCase(info.Path);
    FSections.push_back(std::move(info));
  }
}

void TcxIniFileReader::ReadChildren(const String& AObjectName, const String&, rtl::TStrings* AChildrenNames,
                                    rtl::TStrings* AChildrenClassNames)
{
  if (!FSectionsParsed)
    ParseSections();
  const String path = AObjectName.empty() ? String() : rtl::UpperCase(AObjectName) + L'/';
  for (const TSectionInfo& section : FSections)
    if (section.Path == path) {
      AChildrenNames->Add(section.ObjectName);
      AChildrenClassNames->Add(section.ClassName);
    }
}

void TcxIniFileWriter::Create(const String& AStorageName, rtl::TStream* AStorageStream, bool AReCreate)
{
  inherited::Create(AStorageName, AStorageStream, AReCreate);
  FIniFile = rtl::New<rtl::TMemIniFile>(AStorageName);
  FIniFile->SetEncoding(rtl::TEncoding::UTF8());
  if (AReCreate)
    FIniFile->Clear();
  FIniFile->SetCaseSensitive(false);
}

void TcxIniFileWriter::Destroy()
{
  rtl::FreeAndNil(FIniFile);
  inherited::Destroy();
}

void TcxIniFileWriter::StartWriting()
{
  FIniFile->WriteInteger(kMainSection, kVersionName, kIniFileVersion);
}

void TcxIniFileWriter::EraseObject(const String& AObjectName, const String&)
{
  if (AObjectName.empty())
    return;
  const String prefix = rtl::UpperCase(AObjectName);
  const TStringListPtr sections = NewStringList();
  FIniFile->ReadSections(sections.get());
  for (int i = 0; i < sections->GetCount(); ++i) {
    const String section = rtl::UpperCase(sections->GetStrings(i));
    if (section.size() > prefix.size() && section.compare(0, prefix.size(), prefix) == 0 &&
        (section[prefix.size()] == L'/' || section[prefix.size()] == L':'))
      FIniFile->EraseSection(sections->GetStrings(i));
  }
}

void TcxIniFileWriter::BeginWriteObject(const String& AObjectName, const String& AClassName)
{
  FIniFile->WriteString(IniSectionName(AObjectName, AClassName), String(), String());
}

void TcxIniFileWriter::WriteProperty(const String& AObjectName, const String& AClassName, const String& AName,
                                     const Variant& AValue)
{
  const rtl::TVarType type = AValue.VarType();
  String text;
  if (IsIntegerVarType(type))
    text = rtl::IntToStr(AValue.AsInt64());
  else if (type == rtl::varSingle || type == rtl::varDouble || type == rtl::varCurrency)
    text = rtl::FloatToStr(AValue.AsDouble());
  else if (type == rtl::varDate)
    text = rtl::VarToStr(AValue);
  else if (IsStringVarType(type))
    text = EscapeIniString(rtl::VarToStr(AValue));
  else
    return;
  FIniFile->WriteString(IniSectionName(AObjectName, AClassName), AName, text);
}

void TcxIniFileWriter::FinishWriting()
{
  FIniFile->UpdateFile();
}

// ---------------------------------------------------------------------------
// The registry

namespace {

rtl::TRegistry* NewRegistry(const String& AStorageName, REGSAM AAccess)
{
  rtl::TRegistry* result = rtl::New<rtl::TRegistry>(AAccess);
  if (HKEY root = cxStorageGetRootKey(AStorageName))
    result->SetRootKey(root);
  return result;
}

// The registry's own reader knows no 64-bit values.
bool TryReadQWord(HKEY AKey, const String& AName, std::int64_t& AValue)
{
  DWORD type = 0;
  DWORD size = sizeof(AValue);
  return RegQueryValueExW(AKey, AName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&AValue), &size) ==
             ERROR_SUCCESS &&
         type == REG_QWORD && size == sizeof(AValue);
}

}  // namespace

void TcxRegistryReader::Create(const String& AStorageName, rtl::TStream* AStorageStream)
{
  inherited::Create(AStorageName, AStorageStream);
  FRegistry = NewRegistry(AStorageName, KEY_READ);
  FKeyPath = cxStorageGetKeyPath(AStorageName);
  if (FRegistry->KeyExists(FKeyPath))
    FRegistry->OpenKeyReadOnly(FKeyPath);
}

void TcxRegistryReader::Destroy()
{
  rtl::FreeAndNil(FRegistry);
  inherited::Destroy();
}

void TcxRegistryReader::StartReading()
{
  if (FRegistry->KeyExists(FKeyPath))
    CheckKey(FKeyPath);
}

// Numbers, dates and currency amounts are binary values of 8 bytes; any
// other length comes from damage, found here before anything is restored.
void TcxRegistryReader::CheckKey(const String& AKeyPath)
{
  const rtl::TOwnedPtr<rtl::TRegistry> registry(NewRegistry(GetStorageName(), KEY_READ));
  if (!registry->OpenKeyReadOnly(AKeyPath))
    return;
  const TStringListPtr names = NewStringList();
  registry->GetValueNames(names.get());
  for (int i = 0; i < names->GetCount(); ++i) {
    const String name = names->GetStrings(i);
    if (registry->GetDataType(name) == rtl::rdBinary && registry->GetDataSize(name) != 8)
      throw rtl::ERegistryException(
          rtl::Format(L"The stored layout is damaged: the value %s of the key %s is no number", {name, AKeyPath}));
  }
  registry->GetKeyNames(names.get());
  for (int i = 0; i < names->GetCount(); ++i)
    CheckKey(AKeyPath + L'\\' + names->GetStrings(i));
}

String TcxRegistryReader::ObjectKeyPath(const String& AObjectName) const
{
  String last;
  String result = FKeyPath;
  for (const String& segment : SplitObjectPath(AObjectName, last))
    result += L'\\' + segment;
  return result + L'\\' + last;
}

void TcxRegistryReader::ReadProperties(const String& AObjectName, const String&, rtl::TStrings* AProperties)
{
  // An object without a key has no properties and no children: the key
  // opened before belongs to another object.
  const String path = ObjectKeyPath(AObjectName);
  FObjectKeyPath = FRegistry->OpenKeyReadOnly(path) ? path : String();
  if (!FObjectKeyPath.empty())
    FRegistry->GetValueNames(AProperties);
}

Variant TcxRegistryReader::ReadProperty(const String& AObjectName, const String&, const String& AName)
{
  if (FObjectKeyPath.empty() || FObjectKeyPath != ObjectKeyPath(AObjectName))
    return rtl::Null();
  switch (FRegistry->GetDataType(AName)) {
    case rtl::rdString:
    case rtl::rdExpandString: {
      const String text = FRegistry->ReadString(AName);
      if (cxStorageIsQuotedString(text))
        return Variant(cxStorageUnquoteString(text));
      return TextToValue(text, false);
    }
    case rtl::rdInteger:
      return Variant(static_cast<std::int32_t>(FRegistry->ReadInteger(AName)));
    case rtl::rdBinary:
      return Variant(FRegistry->ReadFloat(AName));
    default: {
      std::int64_t value;
      if (TryReadQWord(FRegistry->GetCurrentKey(), AName, value))
        return IntegerVariant(value);
      return rtl::Null();
    }
  }
}

void TcxRegistryReader::ReadChildren(const String& AObjectName, const String&, rtl::TStrings* AChildrenNames,
                                     rtl::TStrings* AChildrenClassNames)
{
  if (FObjectKeyPath.empty() || FObjectKeyPath != ObjectKeyPath(AObjectName))
    return;
  const String objectKey = FObjectKeyPath;
  const TStringListPtr keys = NewStringList();
  FRegistry->GetKeyNames(keys.get());
  bool classKeySkipped = false;
  for (int i = 0; i < keys->GetCount(); ++i) {
    const String name = keys->GetStrings(i);
    if (!classKeySkipped && name == kClassNameKey) {
      classKeySkipped = true;
      continue;
    }
    String className;
    if (FRegistry->OpenKeyReadOnly(objectKey + L'\\' + name + L'\\' + kClassNameKey)) {
      try {
        className = FRegistry->ReadString(kClassNameValue);
      } catch (const rtl::ERegistryException&) {
      }
    }
    AChildrenNames->Add(name);
    AChildrenClassNames->Add(className);
  }
  FRegistry->OpenKeyReadOnly(objectKey);
}

void TcxRegistryWriter::Create(const String& AStorageName, rtl::TStream* AStorageStream, bool AReCreate)
{
  inherited::Create(AStorageName, AStorageStream, AReCreate);
  FRegistry = NewRegistry(AStorageName, KEY_ALL_ACCESS);
  FKeyPath = cxStorageGetKeyPath(AStorageName);
  if (AReCreate && !AStorageName.empty())
    FRegistry->DeleteKey(FKeyPath);
  FRootKeyCreated = FRegistry->KeyExists(FKeyPath);
}

void TcxRegistryWriter::Destroy()
{
  rtl::FreeAndNil(FRegistry);
  inherited::Destroy();
}

void TcxRegistryWriter::OpenStorageKey()
{
  if (!FRootKeyCreated) {
    bool created = false;
    try {
      created = FRegistry->CreateKey(FKeyPath);
    } catch (const rtl::ERegistryException&) {
    }
    if (!created)
      throw rtl::ERegistryException(rtl::Format(dxLookupResourceString(scxCantCreateRegistryKey), {GetStorageName()}));
    FRootKeyCreated = true;
  }
  if (!FRootKeyOpened) {
    if (!FRegistry->OpenKey(FKeyPath, false))
      throw rtl::ERegistryException(rtl::Format(dxLookupResourceString(scxCantOpenRegistryKey), {GetStorageName()}));
    FRootKeyOpened = true;
  }
}

void TcxRegistryWriter::RaiseStoreError(const String& AObjectName) const
{
  throw rtl::ERegistryException(rtl::Format(dxLookupResourceString(scxErrorStoreObject), {AObjectName}));
}

void TcxRegistryWriter::EraseObject(const String& AObjectName, const String&)
{
  OpenStorageKey();
  String last;
  SplitObjectPath(AObjectName, last);
  if (!last.empty() && FRegistry->KeyExists(last) && !FRegistry->DeleteKey(last))
    RaiseStoreError(AObjectName);
}

void TcxRegistryWriter::BeginWriteObject(const String& AObjectName, const String& AClassName)
{
  OpenStorageKey();
  String last;
  SplitObjectPath(AObjectName, last);
  try {
    if (!FRegistry->OpenKey(last, true))
      RaiseStoreError(AObjectName);
    const String objectKey = L'\\' + FRegistry->GetCurrentPath();
    if (!FRegistry->OpenKey(kClassNameKey, true))
      RaiseStoreError(AObjectName);
    FRegistry->WriteString(kClassNameValue, AClassName);
    FRegistry->CloseKey();
    if (!FRegistry->OpenKey(objectKey, false))
      RaiseStoreError(AObjectName);
  } catch (const rtl::ERegistryException&) {
    RaiseStoreError(AObjectName);
  }
}

void TcxRegistryWriter::EndWriteObject(const String& AObjectName, const String&)
{
  FRegistry->CloseKey();
  String last;
  String parentKey = FKeyPath;
  for (const String& segment : SplitObjectPath(AObjectName, last))
    parentKey += L'\\' + segment;
  FRegistry->OpenKey(parentKey, false);
}

void TcxRegistryWriter::WriteProperty(const String&, const String&, const String& AName, const Variant& AValue)
{
  const rtl::TVarType type = AValue.VarType();
  if (IsIntegerVarType(type)) {
    // Whole, also beyond 32 bits: such values take a 64-bit value.
    const std::int64_t value = AValue.AsInt64();
    if (FitsInteger(value)) {
      FRegistry->WriteInteger(AName, static_cast<int>(value));
    } else if (RegSetValueExW(FRegistry->GetCurrentKey(), AName.c_str(), 0, REG_QWORD,
                              reinterpret_cast<const BYTE*>(&value), sizeof(value)) != ERROR_SUCCESS) {
      throw rtl::ERegistryException(rtl::Format(L"Failed to set data for '%s'", {AName}));
    }
  } else if (type == rtl::varSingle || type == rtl::varDouble) {
    FRegistry->WriteFloat(AName, AValue.AsDouble());
  } else if (type == rtl::varCurrency) {
    FRegistry->WriteCurrency(AName, AValue.AsCurrency());
  } else if (type == rtl::varDate) {
    FRegistry->WriteDateTime(AName, AValue.AsDateTime());
  } else if (IsStringVarType(type)) {
    FRegistry->WriteString(AName, cxStorageQuoteString(rtl::VarToStr(AValue)));
  } else if (type == rtl::varBoolean) {
    FRegistry->WriteBool(AName, AValue.AsBoolean());
  }
}

// ---------------------------------------------------------------------------
// Streams

namespace {

enum TcxStreamTag { stBoolean = 1, stByte, stCurrency, stDate, stDouble, stInteger, stSingle, stAnsiString, stString };

}  // namespace

int TcxStreamPropertyData::TagOf(rtl::TVarType AVarType)
{
  switch (AVarType) {
    case rtl::varBoolean:
      return stBoolean;
    case rtl::varByte:
      return stByte;
    case rtl::varCurrency:
      return stCurrency;
    case rtl::varDate:
      return stDate;
    case rtl::varDouble:
      return stDouble;
    case rtl::varSmallint:
    case rtl::varInteger:
    case rtl::varShortInt:
    case rtl::varWord:
    case rtl::varLongWord:
    case rtl::varInt64:
      return stInteger;
    case rtl::varSingle:
      return stSingle;
    case rtl::varString:
      return stAnsiString;
    case rtl::varOleStr:
    case rtl::varUString:
      return stString;
    default:
      return 0;
  }
}

void TcxStreamPropertyData::Create(const String& AName, const Variant& AValue)
{
  Name = AName;
  Value = AValue;
}

void TcxStreamPropertyData::Write(rtl::TWriter* AWriter)
{
  const int tag = TagOf(Value.VarType());
  AWriter->WriteString(Name);
  AWriter->WriteInteger(tag);
  switch (tag) {
    case stBoolean:
      AWriter->WriteBoolean(Value.AsBoolean());
      break;
    case stByte:
      AWriter->WriteString(String(1, static_cast<wchar_t>(Value.AsInteger() & 0xFF)));
      break;
    case stCurrency:
      AWriter->WriteCurrency(Value.AsCurrency());
      break;
    case stDate:
      AWriter->WriteDate(Value.AsDateTime());
      break;
    case stDouble:
      AWriter->WriteFloat(Value.AsDouble());
      break;
    case stInteger:
      // Values beyond 32 bits take the 8-byte form, which Read accepts.
      AWriter->WriteInteger(Value.AsInt64());
      break;
    case stSingle:
      AWriter->WriteSingle(static_cast<float>(Value.AsDouble()));
      break;
    default:
      AWriter->WriteString(rtl::VarToStr(Value));
      break;
  }
}

void TcxStreamPropertyData::Read(rtl::TReader* AReader)
{
  Name = AReader->ReadString();
  switch (AReader->ReadInteger()) {
    case stBoolean:
      Value = Variant(AReader->ReadBoolean());
      break;
    case stByte: {
      const String text = AReader->ReadString();
      if (text.size() != 1)
        throw rtl::EReadError(L"Invalid property value");
      Value = Variant::FromByte(static_cast<std::uint8_t>(text[0] & 0xFF));
      break;
    }
    case stCurrency:
      Value = Variant(AReader->ReadCurrency());
      break;
    case stDate:
      Value = Variant::FromDate(AReader->ReadDate());
      break;
    case stDouble:
      Value = Variant(static_cast<double>(AReader->ReadFloat()));
      break;
    case stInteger:
      Value = IntegerVariant(AReader->ReadInt64());
      break;
    case stSingle:
      Value = Variant(static_cast<double>(AReader->ReadSingle()));
      break;
    case stAnsiString:
    case stString:
      Value = Variant(AReader->ReadString());
      break;
    default:
      // No value can be skipped without knowing its tag.
      throw rtl::EReadError(rtl::Format(L"Unknown value type of the property %s", {Name}));
  }
}

void TcxStreamObjectData::Create(const String& AName, const String& AClassName)
{
  Name = AName;
  ClassName_ = AClassName;
}

void TcxStreamObjectData::Destroy()
{
  for (TcxStreamPropertyData* item : FProperties)
    rtl::Free(item);
  for (TcxStreamObjectData* item : FChildren)
    rtl::Free(item);
  inherited::Destroy();
}

TcxStreamObjectData* TcxStreamObjectData::FindChild(const String& AName) const
{
  const auto found =
      std::find_if(FChildren.begin(), FChildren.end(), [&](const TcxStreamObjectData* A) { return A->Name == AName; });
  return found == FChildren.end() ? nullptr : *found;
}

void TcxStreamObjectData::Write(rtl::TWriter* AWriter)
{
  AWriter->WriteString(Name);
  AWriter->WriteString(ClassName_);
  AWriter->WriteInteger(PropertyCount());
  for (TcxStreamPropertyData* item : FProperties)
    item->Write(AWriter);
  AWriter->WriteInteger(ChildCount());
  for (TcxStreamObjectData* item : FChildren)
    item->Write(AWriter);
}

void TcxStreamObjectData::Read(rtl::TReader* AReader, int ADepth)
{
  if (ADepth > kMaxStreamDepth)
    throw rtl::EReadError(L"Objects nested too deeply");
  Name = AReader->ReadString();
  ClassName_ = AReader->ReadString();
  const int propertyCount = AReader->ReadInteger();
  if (propertyCount < 0)
    throw rtl::EReadError(L"Invalid property count");
  for (int i = 0; i < propertyCount; ++i) {
    auto* item = rtl::New<TcxStreamPropertyData>(String(), rtl::Null());
    AddProperty(item);
    item->Read(AReader);
  }
  const int childCount = AReader->ReadInteger();
  if (childCount < 0)
    throw rtl::EReadError(L"Invalid child count");
  for (int i = 0; i < childCount; ++i) {
    auto* child = rtl::New<TcxStreamObjectData>(String(), String());
    AddChild(child);
    child->Read(AReader, ADepth + 1);
  }
}

void TcxStreamReader::Destroy()
{
  rtl::FreeAndNil(FFiler);
  rtl::FreeAndNil(FRoot);
  inherited::Destroy();
}

void TcxStreamReader::AssignStream(rtl::TStream* AStream)
{
  inherited::AssignStream(AStream);
  rtl::FreeAndNil(FFiler);
  if (AStream)
    FFiler = rtl::New<rtl::TReader>(AStream, kStreamBufferSize);
}

bool TcxStreamReader::IsReadable()
{
  return GetStorageStream() && GetStorageStream()->GetSize() > 0;
}

void TcxStreamReader::StartReading()
{
  rtl::FreeAndNil(FRoot);
  FCurrentNode = nullptr;
  FCurrentPath.clear();
  FRoot = rtl::New<TcxStreamObjectData>(String(), String());
  if (FFiler->GetPosition() >= GetStorageStream()->GetSize())
    return;
  try {
    FRoot->Read(FFiler);
  } catch (const rtl::EStreamError& E) {
    // Nothing of a damaged tree is answered.
    rtl::FreeAndNil(FRoot);
    FRoot = rtl::New<TcxStreamObjectData>(String(), String());
    throw rtl::EReadError(rtl::Format(L"The stored layout is damaged: %s", {E.Message()}));
  }
}

TcxStreamObjectData* TcxStreamReader::FindNode(const String& AObjectName)
{
  if (FCurrentNode && AObjectName == FCurrentPath)
    return FCurrentNode;
  if (!FRoot)
    return nullptr;
  String last;
  std::vector<String> ancestors = SplitObjectPath(AObjectName, last);
  TcxStreamObjectData* node = FRoot;
  if (!ancestors.empty())
    ancestors.erase(ancestors.begin());
  ancestors.push_back(last);
  for (const String& segment : ancestors)
    if (TcxStreamObjectData* child = node->FindChild(segment))
      node = child;
  if (node->Name != last)
    return nullptr;
  FCurrentNode = node;
  FCurrentPath = AObjectName;
  return node;
}

void TcxStreamReader::ReadProperties(const String& AObjectName, const String&, rtl::TStrings* AProperties)
{
  if (TcxStreamObjectData* node = FindNode(AObjectName))
    for (int i = 0; i < node->PropertyCount(); ++i)
      AProperties->Add(node->GetProperties(i)->Name);
}

Variant TcxStreamReader::ReadProperty(const String& AObjectName, const String&, const String& AName)
{
  if (TcxStreamObjectData* node = FindNode(AObjectName))
    for (int i = 0; i < node->PropertyCount(); ++i)
      if (node->GetProperties(i)->Name == AName)
        return node->GetProperties(i)->Value;
  return rtl::Null();
}

void TcxStreamReader::ReadChildren(const String& AObjectName, const String&, rtl::TStrings* AChildrenNames,
                                   rtl::TStrings* AChildrenClassNames)
{
  if (TcxStreamObjectData* node = FindNode(AObjectName))
    for (int i = 0; i < node->ChildCount(); ++i) {
      AChildrenNames->Add(node->GetChildren(i)->Name);
      AChildrenClassNames->Add(node->GetChildren(i)->ClassName_);
    }
}

void TcxStreamWriter::Destroy()
{
  rtl::FreeAndNil(FFiler);
  rtl::FreeAndNil(FRoot);
  inherited::Destroy();
}

void TcxStreamWriter::AssignStream(rtl::TStream* AStream)
{
  inherited::AssignStream(AStream);
  rtl::FreeAndNil(FFiler);
  if (AStream)
    FFiler = rtl::New<rtl::TWriter>(AStream, kStreamBufferSize);
}

bool TcxStreamWriter::IsWritable()
{
  return GetStorageStream() != nullptr;
}

void TcxStreamWriter::BeginWriteObject(const String& AObjectName, const String& AClassName)
{
  String last;
  const std::vector<String> ancestors = SplitObjectPath(AObjectName, last);
  if (!FRoot) {
    if (ancestors.empty()) {
      FRoot = rtl::New<TcxStreamObjectData>(last, AClassName);
      FCurrentNode = FRoot;
    }
    return;
  }
  TcxStreamObjectData* parent = FRoot;
  for (std::size_t i = 1; i < ancestors.size(); ++i)
    if (TcxStreamObjectData* child = parent->FindChild(ancestors[i]))
      parent = child;
  FCurrentNode = rtl::New<TcxStreamObjectData>(last, AClassName);
  parent->AddChild(FCurrentNode);
}

void TcxStreamWriter::WriteProperty(const String&, const String&, const String& AName, const Variant& AValue)
{
  if (FCurrentNode && TcxStreamPropertyData::TagOf(AValue.VarType()) != 0)
    FCurrentNode->AddProperty(rtl::New<TcxStreamPropertyData>(AName, AValue));
}

void TcxStreamWriter::FinishWriting()
{
  if (FRoot) {
    FRoot->Write(FFiler);
    rtl::FreeAndNil(FRoot);
    FCurrentNode = nullptr;
  }
  if (FFiler)
    FFiler->FlushBuffer();
}
