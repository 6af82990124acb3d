// The cxStorage unit: storing the properties of an object tree and restoring
// them.
//   TcxStorage: walks an object tree, decides which objects and properties
//     are stored under which names, and on restore matches, creates and
//     deletes children and rescales between screen resolutions
//   IcxStoredObject, IcxStoredParent, IcxStorageAccessNotify,
//     IcxStoredChildRemoval: how objects that are no plain property holders
//     take part
//   TcxCustomReader, TcxCustomWriter: the storage formats' bases
//   TcxIniFileReader/Writer: one ini section per object
//   TcxRegistryReader/Writer: one registry key per object
//   TcxStreamReader/Writer: nested binary object records
//   cxStorage* helpers: quoting, registry root keys, object paths
//
// Every reader checks the whole stored input when reading starts and raises
// (EReadError, ERegistryException) with a message naming the damage before
// any value reaches an object, so a damaged storage leaves the objects as
// they were.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/rtl/System.h"
#include "platform/rtl/SystemEvents.h"
#include "platform/rtl/SystemTypes.h"
#include "platform/rtl/Variants.h"

namespace rtl {
class TMemIniFile;
class TReader;
class TRegistry;
class TStream;
class TStringList;
class TStrings;
class TWriter;
class TComponent;
}  // namespace rtl

class TcxStorage;
class TcxCustomReader;
class TcxCustomWriter;
class TcxStreamObjectData;

RTL_ENUM(TcxStorageMode, smChildrenCreating, smChildrenDeleting, smSavePublishedClassProperties);
using TcxStorageModes = rtl::TSet<TcxStorageMode>;

using TcxGetStorageModesEvent = rtl::TMethod<TcxStorageModes()>;
using TcxTestClassPropertyEvent = rtl::TMethod<bool(const rtl::String& AName, rtl::TObject* AObject)>;
using TcxGetComponentByNameEvent = rtl::TMethod<rtl::TComponent*(const rtl::String& AName)>;
using TcxGetUseInterfaceOnlyEvent = rtl::TMethod<bool()>;
// True: a failure to set the restored value is ignored.
using TcxSetStoredPropertyValueErrorEvent =
    rtl::TMethod<bool(TcxStorage* Sender, const rtl::String& AName, const rtl::Variant& AValue)>;

struct IcxStoredObject : rtl::IInterface {
  RTL_GUID(IcxStoredObject, "{79A05009-CAC3-47E8-B454-F6F3D91F495D}")
  virtual rtl::String __stdcall GetStoredObjectName() = 0;
  // False: the published properties are stored after these.
  virtual bool __stdcall GetStoredProperties(rtl::TStrings* AProperties) = 0;
  virtual void __stdcall GetStoredPropertyValue(const rtl::String& AName, rtl::Variant& AValue) = 0;
  virtual void __stdcall SetStoredPropertyValue(const rtl::String& AName, const rtl::Variant& AValue) = 0;
};

struct IcxStoredParent : rtl::IInterface {
  RTL_GUID(IcxStoredParent, "{6AF48CD0-3A0B-4BEC-AC88-5D323432A686}")
  // Nil when it cannot.
  virtual rtl::TObject* __stdcall CreateStoredChild(const rtl::String& AObjectName, const rtl::String& AClassName) = 0;
  virtual void __stdcall DeleteStoredChild(const rtl::String& AObjectName, rtl::TObject* AObject) = 0;
  // One line per child: its name, with the child as the line's object.
  virtual void __stdcall GetStoredChildren(rtl::TStringList* AChildren) = 0;
};

struct IcxStorageAccessNotify : rtl::IInterface {
  RTL_GUID(IcxStorageAccessNotify, "{337024FA-3C2E-4870-97D3-1467DAB60E2E}")
  virtual void __stdcall BeginStorageAccess() = 0;
  virtual void __stdcall EndStorageAccess() = 0;
};

struct IcxStoredChildRemoval : rtl::IInterface {
  RTL_GUID(IcxStoredChildRemoval, "{770DF537-C44D-4B54-A226-4195ED234F9E}")
  virtual bool __stdcall AllowParentDelete() = 0;
};

// ---------------------------------------------------------------------------
// Readers and writers

class TcxCustomReader : public rtl::TObject {
  RTL_CLASS(TcxCustomReader, rtl::TObject)

 public:
  virtual void Create(const rtl::String& AStorageName) { Create(AStorageName, nullptr); }
  virtual void Create(const rtl::String& AStorageName, rtl::TStream* AStorageStream);

  virtual bool IsReadable() { return true; }
  virtual void StartReading() {}
  virtual void FinishReading() {}
  virtual void ReadProperties(const rtl::String& AObjectName, const rtl::String& AClassName,
                              rtl::TStrings* AProperties);
  virtual rtl::Variant ReadProperty(const rtl::String& AObjectName, const rtl::String& AClassName,
                                    const rtl::String& AName);
  virtual void ReadChildren(const rtl::String& AObjectName, const rtl::String& AClassName,
                            rtl::TStrings* AChildrenNames, rtl::TStrings* AChildrenClassNames);

  const rtl::String& GetStorageName() const { return FStorageName; }
  rtl::TStream* GetStorageStream() const { return FStorageStream; }
  int GetStorageVersion() const { return FStorageVersion; }

 protected:
  virtual void AssignStream(rtl::TStream* AStream) { FStorageStream = AStream; }
  void SetStream(rtl::TStream* AStream);

  int FStorageVersion;

 private:
  rtl::String FStorageName;
  rtl::TStream* FStorageStream;
};

class TcxCustomWriter : public rtl::TObject {
  RTL_CLASS(TcxCustomWriter, rtl::TObject)

 public:
  virtual void Create(const rtl::String& AStorageName, bool AReCreate) { Create(AStorageName, nullptr, AReCreate); }
  virtual void Create(const rtl::String& AStorageName, rtl::TStream* AStorageStream, bool AReCreate);

  virtual bool IsWritable() { return true; }
  virtual void EraseObject(const rtl::String& /*AObjectName*/, const rtl::String& /*AClassName*/) {}
  virtual void StartWriting() {}
  virtual void FinishWriting() {}
  virtual void BeginWriteObject(const rtl::String& /*AObjectName*/, const rtl::String& /*AClassName*/) {}
  virtual void EndWriteObject(const rtl::String& /*AObjectName*/, const rtl::String& /*AClassName*/) {}
  virtual void WriteProperty(const rtl::String& /*AObjectName*/, const rtl::String& /*AClassName*/,
                             const rtl::String& /*AName*/, const rtl::Variant& /*AValue*/)
  {
  }

  bool GetReCreate() const { return FReCreate; }
  void SetReCreate(bool AValue) { FReCreate = AValue; }
  const rtl::String& GetStorageName() const { return FStorageName; }
  rtl::TStream* GetStorageStream() const { return FStorageStream; }

 protected:
  virtual void AssignStream(rtl::TStream* AStream) { FStorageStream = AStream; }
  void SetStream(rtl::TStream* AStream);

 private:
  bool FReCreate;
  rtl::String FStorageName;
  rtl::TStream* FStorageStream;
};

using TcxCustomReaderClass = rtl::ClassOf<TcxCustomReader>;
using TcxCustomWriterClass = rtl::ClassOf<TcxCustomWriter>;

// ---------------------------------------------------------------------------
// The engine

class TcxStorage : public rtl::TObject {
  RTL_CLASS(TcxStorage, rtl::TObject)

 public:
  void Create(const rtl::String& AStorageName, rtl::TStream* AStorageStream);
  void Create(const rtl::String& AStorageName) { Create(AStorageName, nullptr); }
  void Create(rtl::TStream* AStream) { Create(rtl::String(), AStream); }

  virtual void RestoreObjectTree(TcxCustomReader* AReader, const rtl::String& AName);
  virtual void StoreObjectTree(TcxCustomWriter* AWriter, const rtl::String& AName);
  virtual void RestoreFrom(rtl::TObject* AObject, TcxCustomReaderClass AReaderClass);
  // Nothing for a nil or unreadable reader, which stays the caller's.
  virtual void RestoreWithExistingReader(rtl::TObject* AObject, TcxCustomReader* AReader);
  virtual void StoreTo(rtl::TObject* AObject, TcxCustomWriterClass AWriterClass);
  virtual void StoreWithExistingWriter(rtl::TObject* AObject, TcxCustomWriter* AWriter);

  void RestoreFromIni(rtl::TObject* AObject);
  void RestoreFromRegistry(rtl::TObject* AObject);
  void RestoreFromStream(rtl::TObject* AObject);
  void StoreToIni(rtl::TObject* AObject);
  void StoreToRegistry(rtl::TObject* AObject);
  void StoreToStream(rtl::TObject* AObject);

  const rtl::String& GetStorageName() const { return FStorageName; }
  void SetStorageName(const rtl::String& AValue) { FStorageName = AValue; }
  rtl::TStream* GetStorageStream() const { return FStorageStream; }
  void SetStorageStream(rtl::TStream* AValue) { FStorageStream = AValue; }
  bool GetReCreate() const { return FReCreate; }
  void SetReCreate(bool AValue) { FReCreate = AValue; }
  TcxStorageModes GetModes() const { return FModes; }
  void SetModes(TcxStorageModes AValue) { FModes = AValue; }
  const rtl::String& GetNamePrefix() const { return FNamePrefix; }
  void SetNamePrefix(const rtl::String& AValue) { FNamePrefix = AValue; }
  bool GetSaveComponentPropertiesByName() const { return FSaveComponentPropertiesByName; }
  void SetSaveComponentPropertiesByName(bool AValue) { FSaveComponentPropertiesByName = AValue; }
  bool GetUseInterfaceOnly() const { return FUseInterfaceOnly; }
  void SetUseInterfaceOnly(bool AValue) { FUseInterfaceOnly = AValue; }
  int GetStoredDPI() const { return FStoredDPI; }
  rtl::TObject* GetStoredObject() const { return FStoredObject; }

  TcxGetComponentByNameEvent GetOnGetComponentByName() const { return FOnGetComponentByName; }
  void SetOnGetComponentByName(TcxGetComponentByNameEvent AValue) { FOnGetComponentByName = AValue; }
  TcxGetStorageModesEvent GetOnGetStorageModes() const { return FOnGetStorageModes; }
  void SetOnGetStorageModes(TcxGetStorageModesEvent AValue) { FOnGetStorageModes = AValue; }
  TcxGetUseInterfaceOnlyEvent GetOnGetUseInterfaceOnly() const { return FOnGetUseInterfaceOnly; }
  void SetOnGetUseInterfaceOnly(TcxGetUseInterfaceOnlyEvent AValue) { FOnGetUseInterfaceOnly = AValue; }
  TcxTestClassPropertyEvent GetOnTestClassProperty() const { return FOnTestClassProperty; }
  void SetOnTestClassProperty(TcxTestClassPropertyEvent AValue) { FOnTestClassProperty = AValue; }
  TcxSetStoredPropertyValueErrorEvent GetOnSetStoredPropertyValueError() const
  {
    return FOnSetStoredPropertyValueError;
  }
  void SetOnSetStoredPropertyValueError(TcxSetStoredPropertyValueErrorEvent AValue)
  {
    FOnSetStoredPropertyValueError = AValue;
  }

 private:
  struct TChild {
    rtl::String Name;
    rtl::TObject* Object;
  };

  TcxStorageModes EffectiveModes() const;
  bool EffectiveUseInterfaceOnly() const;
  rtl::String ObjectName(const rtl::String& AName) const;
  rtl::String ObjectPath(const rtl::String& AName) const;

  void BeginAccess();
  void EndAccess();
  void Rescale(int ADPI);

  void GetPropertyNames(rtl::TStrings* ANames);
  rtl::Variant GetPropertyValue(const rtl::String& AName);
  void SetPropertyValue(const rtl::String& AName, const rtl::Variant& AValue);
  void RestoreProperty(const rtl::String& AName, const rtl::Variant& AValue);
  std::vector<TChild> GetChildren();
  rtl::TObject* CreateChild(const rtl::String& AName, const rtl::String& AClassName);
  void DeleteChild(const TChild& AChild);
  rtl::TOwnedPtr<TcxStorage> NewChildStorage(rtl::TObject* AChild, const rtl::String& APath, bool ARestoring);

  rtl::String FStorageName;
  rtl::TStream* FStorageStream;
  bool FReCreate;
  TcxStorageModes FModes;
  rtl::String FNamePrefix;
  rtl::String FObjectNamePrefix;
  bool FSaveComponentPropertiesByName;
  bool FUseInterfaceOnly;
  int FStoredDPI;
  rtl::TObject* FStoredObject;
  int FPreviousDPI;
  TcxGetComponentByNameEvent FOnGetComponentByName;
  TcxGetStorageModesEvent FOnGetStorageModes;
  TcxGetUseInterfaceOnlyEvent FOnGetUseInterfaceOnly;
  TcxTestClassPropertyEvent FOnTestClassProperty;
  TcxSetStoredPropertyValueErrorEvent FOnSetStoredPropertyValueError;
};

// ---------------------------------------------------------------------------
// Ini files: section "Main" with "Version" 2, then one section
// "<object path>: <class name>" per object, in UTF-8 with a byte-order mark.

class TcxIniFileReader : public TcxCustomReader {
  RTL_CLASS(TcxIniFileReader, TcxCustomReader)

 public:
  void Create(const rtl::String& AStorageName, rtl::TStream* AStorageStream) override;
  void Destroy() override;

  // A file of that name exists.
  bool IsReadable() override;
  // Reads the version and checks every section and quoted value.
  void StartReading() override;
  void ReadProperties(const rtl::String& AObjectName, const rtl::String& AClassName,
                      rtl::TStrings* AProperties) override;
  rtl::Variant ReadProperty(const rtl::String& AObjectName, const rtl::String& AClassName,
                            const rtl::String& AName) override;
  void ReadChildren(const rtl::String& AObjectName, const rtl::String& AClassName, rtl::TStrings* AChildrenNames,
                    rtl::TStrings* AChildrenClassNames) override;

 private:
  struct TSectionInfo {
    // Upper-cased: the object paths of the ancestors, each followed by "/".
    rtl::String Path;
    rtl::String ObjectName;
    rtl::String ClassName;
  };

  void CheckIntegrity();
  void ParseSections();
  rtl::String DecodeString(const rtl::String& AText) const;

  rtl::TMemIniFile* FIniFile;
  std::vector<TSectionInfo> FSections;
  bool FSectionsParsed;
};

class TcxIniFileWriter : public TcxCustomWriter {
  RTL_CLASS(TcxIniFileWriter, TcxCustomWriter)

 public:
  void Create(const rtl::String& AStorageName, rtl::TStream* AStorageStream, bool AReCreate) override;
  void Destroy() override;

  void StartWriting() override;
  // Drops the sections of the object and of everything below it.
  void EraseObject(const rtl::String& AObjectName, const rtl::String& AClassName) override;
  void BeginWriteObject(const rtl::String& AObjectName, const rtl::String& AClassName) override;
  void WriteProperty(const rtl::String& AObjectName, const rtl::String& AClassName, const rtl::String& AName,
                     const rtl::Variant& AValue) override;
  // Writes the file.
  void FinishWriting() override;

 private:
  rtl::TMemIniFile* FIniFile;
};

// ---------------------------------------------------------------------------
// The registry: a key per object below the storage key, nested like the
// tree, each with a "[ClassName]" subkey.

class TcxRegistryReader : public TcxCustomReader {
  RTL_CLASS(TcxRegistryReader, TcxCustomReader)

 public:
  void Create(const rtl::String& AStorageName, rtl::TStream* AStorageStream) override;
  void Destroy() override;

  // Checks every value below the storage key.
  void StartReading() override;
  void ReadProperties(const rtl::String& AObjectName, const rtl::String& AClassName,
                      rtl::TStrings* AProperties) override;
  rtl::Variant ReadProperty(const rtl::String& AObjectName, const rtl::String& AClassName,
                            const rtl::String& AName) override;
  void ReadChildren(const rtl::String& AObjectName, const rtl::String& AClassName, rtl::TStrings* AChildrenNames,
                    rtl::TStrings* AChildrenClassNames) override;

 private:
  void CheckKey(const rtl::String& AKeyPath);
  rtl::String ObjectKeyPath(const rtl::String& AObjectName) const;

  rtl::TRegistry* FRegistry;
  rtl::String FKeyPath;
  // The key of the object last asked for, empty when it does not exist.
  rtl::String FObjectKeyPath;
};

class TcxRegistryWriter : public TcxCustomWriter {
  RTL_CLASS(TcxRegistryWriter, TcxCustomWriter)

 public:
  void Create(const rtl::String& AStorageName, rtl::TStream* AStorageStream, bool AReCreate) override;
  void Destroy() override;

  void EraseObject(const rtl::String& AObjectName, const rtl::String& AClassName) override;
  void BeginWriteObject(const rtl::String& AObjectName, const rtl::String& AClassName) override;
  void EndWriteObject(const rtl::String& AObjectName, const rtl::String& AClassName) override;
  void WriteProperty(const rtl::String& AObjectName, const rtl::String& AClassName, const rtl::String& AName,
                     const rtl::Variant& AValue) override;

 private:
  void OpenStorageKey();
  [[noreturn]] void RaiseStoreError(const rtl::String& AObjectName) const;

  rtl::TRegistry* FRegistry;
  rtl::String FKeyPath;
  bool FRootKeyCreated;
  bool FRootKeyOpened;
};

// ---------------------------------------------------------------------------
// Streams: the tree as nested object records written with the component
// filer.

class TcxStreamPropertyData : public rtl::TObject {
  RTL_CLASS(TcxStreamPropertyData, rtl::TObject)

 public:
  void Create(const rtl::String& AName, const rtl::Variant& AValue);
  void Read(rtl::TReader* AReader);
  void Write(rtl::TWriter* AWriter);

  // The tag a value of that variant type is written with; 0 for a type the
  // format has no tag for.
  static int TagOf(rtl::TVarType AVarType);

  rtl::String Name;
  rtl::Variant Value;
};

class TcxStreamObjectData : public rtl::TObject {
  RTL_CLASS(TcxStreamObjectData, rtl::TObject)

 public:
  void Create(const rtl::String& AName, const rtl::String& AClassName);
  void Destroy() override;

  void AddProperty(TcxStreamPropertyData* AProperty) { FProperties.push_back(AProperty); }
  void AddChild(TcxStreamObjectData* AChild) { FChildren.push_back(AChild); }
  void Read(rtl::TReader* AReader) { Read(AReader, 0); }
  void Write(rtl::TWriter* AWriter);

  int PropertyCount() const { return static_cast<int>(FProperties.size()); }
  TcxStreamPropertyData* GetProperties(int AIndex) const { return FProperties.at(AIndex); }
  int ChildCount() const { return static_cast<int>(FChildren.size()); }
  TcxStreamObjectData* GetChildren(int AIndex) const { return FChildren.at(AIndex); }
  // The first child of that name (compared exactly), nil when none.
  TcxStreamObjectData* FindChild(const rtl::String& AName) const;

  rtl::String Name;
  rtl::String ClassName_;

 private:
  void Read(rtl::TReader* AReader, int ADepth);

  std::vector<TcxStreamPropertyData*> FProperties;
  std::vector<TcxStreamObjectData*> FChildren;
};

class TcxStreamReader : public TcxCustomReader {
  RTL_CLASS(TcxStreamReader, TcxCustomReader)

 public:
  void Destroy() override;

  bool IsReadable() override;
  // Reads the whole tree from the stream's position.
  void StartReading() override;
  void ReadProperties(const rtl::String& AObjectName, const rtl::String& AClassName,
                      rtl::TStrings* AProperties) override;
  rtl::Variant ReadProperty(const rtl::String& AObjectName, const rtl::String& AClassName,
                            const rtl::String& AName) override;
  void ReadChildren(const rtl::String& AObjectName, const rtl::String& AClassName, rtl::TStrings* AChildrenNames,
                    rtl::TStrings* AChildrenClassNames) override;

 protected:
  void AssignStream(rtl::TStream* AStream) override;

 private:
  TcxStreamObjectData* FindNode(const rtl::String& AObjectName);

  TcxStreamObjectData* FCurrentNode;
  rtl::String FCurrentPath;
  TcxStreamObjectData* FRoot;
  rtl::TReader* FFiler;
};

class TcxStreamWriter : public TcxCustomWriter {
  RTL_CLASS(TcxStreamWriter, TcxCustomWriter)

 public:
  void Destroy() override;

  bool IsWritable() override;
  void BeginWriteObject(const rtl::String& AObjectName, const rtl::String& AClassName) override;
  // Values of a type the format has no tag for are left out.
  void WriteProperty(const rtl::String& AObjectName, const rtl::String& AClassName, const rtl::String& AName,
                     const rtl::Variant& AValue) override;
  // Writes the tree and hands the bytes to the stream, so a stream that
  // cannot take them fails the store.
  void FinishWriting() override;

 protected:
  void AssignStream(rtl::TStream* AStream) override;

 private:
  TcxStreamObjectData* FCurrentNode;
  TcxStreamObjectData* FRoot;
  rtl::TWriter* FFiler;
};

// ---------------------------------------------------------------------------
// Helpers

rtl::String cxStorageQuoteString(const rtl::String& AText, rtl::Char AQuote = L'"');
bool cxStorageIsQuotedString(const rtl::String& AText, rtl::Char AQuote = L'"');
rtl::String cxStorageUnquoteString(const rtl::String& AText);
// The root key named by the storage name's prefix ("HKLM\..."), 0 when it
// has none; the key path below it, starting with "\".
HKEY cxStorageGetRootKey(const rtl::String& AStorageName);
rtl::String cxStorageGetKeyPath(const rtl::String& AStorageName);
// The segments followed by "/" go to AList; the last segment is answered.
rtl::String cxStorageSplitObjectPath(const rtl::String& APath, rtl::TStrings* AList);
