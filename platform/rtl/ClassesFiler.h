// The filer of the Classes unit: the framework's binary format of stored
// values, persistent objects and component trees (forms).
//
// Contents:
//   TValueType, FilerSignature, TReaderProc, TWriterProc, TStreamProc
//   TFiler: the stream, the buffer, the root and the ancestor
//   TWriter: values, properties, collections, components
//   TReader: the same back, with component references fixed up by name,
//            events bound to published methods and Loaded after the tree
//   (EFilerError and EClassNotFound come with the class registry)
//   ReadComponent, WriteComponent, ReadComponentRes, InitInheritedComponent
//   ObjectBinaryToText, ObjectTextToBinary: the text form of a stream
//
// A value is one value-type byte and its data, little-endian:
//   $02/$03/$04/$13  integers of 1, 2, 4 and 8 bytes, the smallest that holds
//                    the value
//   $05 extended (10 bytes), $0F single, $10 currency (the raw 64-bit count),
//   $11 date (a double)
//   $06 UTF-8 text with a 1-byte length, $0C ANSI text with a 4-byte length,
//   $14 UTF-8 text with a 4-byte length, $12 UTF-16 text with a 4-byte count
//   $07 identifier, $08/$09 False/True, $0D nil, $00 Null and the end of a
//   list, $01 a list, $0B a set (member names, ended by an empty one),
//   $0A binary data (4-byte length), $0E a collection
// A component is [prefix] class name, name, properties (name, value) up to
// $00, children up to $00; a stream of a root starts with "TPF0".
#pragma once

#include <cstdint>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/ClassesComponents.h"
#include "platform/rtl/SystemEvents.h"
#include "platform/rtl/TypInfo.h"
#include "platform/rtl/Variants.h"

namespace rtl {

RTL_ENUM(TValueType, vaNull, vaList, vaInt8, vaInt16, vaInt32, vaExtended, vaString, vaIdent, vaFalse, vaTrue,
         vaBinary, vaSet, vaLString, vaNil, vaCollection, vaSingle, vaCurrency, vaDate, vaWString, vaInt64,
         vaUTF8String);

// The first four bytes of a stored root component.
inline constexpr char FilerSignature[4] = {'T', 'P', 'F', '0'};

// The prefix flags of a component record: it comes from an ancestor, its
// position among its parent's children follows, it is an inline frame.
enum TFilerFlag { ffInherited = 1, ffChildPos = 2, ffInline = 4 };

using TReaderProc = TMethod<void(TReader* AReader)>;
using TWriterProc = TMethod<void(TWriter* AWriter)>;
using TStreamProc = TMethod<void(TStream* AStream)>;

// ---------------------------------------------------------------------------
// TFiler

class TFiler : public TObject {
  RTL_CLASS(TFiler, TObject)

 public:
  // The filer works on the stream from its current position through a
  // buffer of ABufSize bytes; it does not own the stream.
  void Create(TStream* AStream, int ABufSize);

  // Declares a property a class stores beyond its published ones (from
  // DefineProperties): the writer calls AWriteData when AHasData, the reader
  // calls AReadData when the stream holds the property.
  virtual void DefineProperty(const String& AName, TReaderProc AReadData, TWriterProc AWriteData,
                              bool AHasData) = 0;
  // The same for a block of bytes, handed over as a stream.
  virtual void DefineBinaryProperty(const String& AName, TStreamProc AReadData, TStreamProc AWriteData,
                                    bool AHasData) = 0;
  // The writer writes out what it buffered; the reader gives back to the
  // stream what it read ahead.
  virtual void FlushBuffer() = 0;

  TComponent* GetRoot() const { return FRoot; }
  virtual void SetRoot(TComponent* AValue) { FRoot = AValue; }
  // The root whose components references are relative to.
  TComponent* GetLookupRoot() const { return FLookupRoot; }
  // The object whose values the written one is compared with (inherited
  // forms): only what differs is written. Nil compares with the defaults.
  TPersistent* GetAncestor() const { return FAncestor; }
  void SetAncestor(TPersistent* AValue) { FAncestor = AValue; }
  bool GetIgnoreChildren() const { return FIgnoreChildren; }
  void SetIgnoreChildren(bool AValue) { FIgnoreChildren = AValue; }

 protected:
  TStream* FStream;
  std::vector<std::uint8_t> FBuffer;
  int FBufPos;
  // The reader: how many buffered bytes are valid.
  int FBufEnd;
  TComponent* FRoot;
  TComponent* FLookupRoot;
  TPersistent* FAncestor;
  bool FIgnoreChildren;
};

// ---------------------------------------------------------------------------
// TWriter

class TWriter : public TFiler {
  RTL_CLASS(TWriter, TFiler)

 public:
  // Writes out what is left in the buffer: the bytes start where the stream
  // stood when the writer was created. Destroy may not raise, so a stream
  // that fails here is only reported (HandleCallbackException); whoever
  // waits for the bytes calls FlushBuffer first, which raises EWriteError.
  void Destroy() override;

  void DefineProperty(const String& AName, TReaderProc AReadData, TWriterProc AWriteData, bool AHasData) override;
  void DefineBinaryProperty(const String& AName, TStreamProc AReadData, TStreamProc AWriteData,
                            bool AHasData) override;
  void FlushBuffer() override;
  void SetRoot(TComponent* AValue) override;

  // Raw bytes and the value-type byte.
  void Write(const void* ABuffer, int ACount);
  void WriteValue(TValueType AValue);
  void WriteSignature();
  // A name without value type: a length byte and at most 255 bytes of UTF-8;
  // a longer name (or one with no UTF-8 form) raises EWriteError.
  void WriteStr(const String& AValue);
  // The property name, after the path of the object being written
  // ("Font.Name").
  void WritePropName(const String& AName);

  // The smallest of the 1-, 2- and 4-byte forms; 64-bit values outside the
  // 32-bit range take the 8-byte form.
  void WriteInteger(int AValue);
  void WriteInteger(std::int64_t AValue);
  void WriteBoolean(bool AValue);
  // A text of one character.
  void WriteChar(Char AValue);
  void WriteFloat(Extended AValue);
  void WriteSingle(float AValue);
  void WriteCurrency(Currency AValue);
  void WriteDate(TDateTime AValue);
  // UTF-8 when that is shorter than UTF-16 (short or long ANSI form for
  // pure ASCII), else UTF-16; the empty text in the UTF-16 form.
  void WriteString(const String& AValue);
  // False, True, nil and Null take their own value types.
  void WriteIdent(const String& AValue);
  // The names of the members of a set of the enumeration; AOrd is the set's
  // ToOrd.
  void WriteSet(const TEnumInfo* AInfo, std::uint32_t AOrd);
  // The bytes AWriteData writes into a memory stream.
  void WriteBinary(TStreamProc AWriteData);
  void WriteBinary(const void* ABuffer, int ACount);
  // Empty as nil, Null as Null; arrays, interfaces and unsigned values
  // beyond the 64-bit signed range raise EWriteError.
  void WriteVariant(const Variant& AValue);
  void WriteListBegin();
  void WriteListEnd();
  // Each item's properties as a list, compared with the ancestor
  // collection's item at the same index when there is one.
  void WriteCollection(TCollection* AValue);

  // The published properties that are stored and differ from their default
  // (or the ancestor's value), then the DefineProperties ones.
  void WriteProperties(TPersistent* AInstance);

  // Components: WriteRootComponent writes the signature and the tree of a
  // root; WriteDescendent writes only what differs from AAncestor. Both
  // flush: the whole root is in the stream when they return, and a stream
  // that cannot take it raises from them.
  void WriteRootComponent(TComponent* ARoot);
  void WriteDescendent(TComponent* ARoot, TComponent* AAncestor);
  void WriteComponent(TComponent* AComponent);
  // The record of AInstance: prefix, class name, name, properties and
  // children (TComponent::WriteState calls it).
  void WriteData(TComponent* AInstance);

  std::int64_t GetPosition();
  void SetPosition(std::int64_t AValue);

 private:
  void WriteProperty(TPersistent* AInstance, const TPropInfo* AProp);
  void WriteObjectProperty(TPersistent* AInstance, const TPropInfo* AProp);
  void WritePrefix(int AFlags, int AChildPos);
  void WriteChild(TComponent* AChild);
  String ComponentReference(TComponent* AComponent) const;
  void WriteStringBytes(TValueType AType, const void* AData, int ALength, int ALengthSize);

  String FPropPath;
  // The root whose children WriteData writes; the ancestor's children by
  // name while writing a descendant.
  TComponent* FRootAncestor;
  std::vector<TComponent*> FAncestors;
  int FChildPos;
};

// ---------------------------------------------------------------------------
// TReader

// Reads the RCDATA resources named after AInstance's classes (each in the
// binary form; the build converts form files), from the class
// below ARootAncestor down to its own class, ancestors first, so an inherited
// form takes its parent's layout and then its own changes; Loaded comes once
// for each component, after the last resource. Answers whether any resource
// was found.
bool InitInheritedComponent(TComponent* AInstance, TClass ARootAncestor, HINSTANCE AModule = nullptr);

class TReader : public TFiler {
  RTL_CLASS(TReader, TFiler)

 public:
  // Gives back what was read ahead, so the stream stands just after the
  // bytes consumed; a stream that cannot seek back is reported, as the
  // writer's last flush is.
  void Destroy() override;

  void DefineProperty(const String& AName, TReaderProc AReadData, TWriterProc AWriteData, bool AHasData) override;
  void DefineBinaryProperty(const String& AName, TStreamProc AReadData, TStreamProc AWriteData,
                            bool AHasData) override;
  void FlushBuffer() override;

  // Exactly ACount bytes; a truncated stream raises EReadError "Stream read
  // error".
  void Read(void* ABuffer, int ACount);
  TValueType ReadValue();
  TValueType NextValue();
  // Raises EReadError "Invalid property value" unless the next value has
  // that type, which it consumes.
  void CheckValue(TValueType AValue);
  bool EndOfList();
  void SkipValue();
  // EReadError "Invalid stream format" unless the stream starts with "TPF0".
  void ReadSignature();
  // A name written by WriteStr.
  String ReadStr();

  // Each reader takes its own value types and raises EReadError "Invalid
  // property value" for others; the number readers also take the integers.
  int ReadInteger();
  std::int64_t ReadInt64();
  bool ReadBoolean();
  Char ReadChar();
  Extended ReadFloat();
  float ReadSingle();
  Currency ReadCurrency();
  TDateTime ReadDate();
  // Any of the four text forms.
  String ReadString();
  // An identifier, and False, True, nil, Null as their names.
  String ReadIdent();
  // The ToOrd of the set; an unknown member raises "Invalid property value".
  std::uint32_t ReadSet(const TEnumInfo* AInfo);
  TBytes ReadBinary();
  Variant ReadVariant();
  void ReadListBegin();
  void ReadListEnd();
  // The items after the collection marker: the collection is cleared when
  // the stream has items, and an index before an item is skipped.
  void ReadCollection(TCollection* AValue);

  // One property: its name (a path through object properties, "Font.Name")
  // and value. A name no published or defined property has raises EReadError
  // "Property %s does not exist".
  void ReadProperty(TPersistent* AInstance);

  // Components. ReadRootComponent reads the signature and a whole tree into
  // ARoot (or a new object of the stored class when nil), then fixes up the
  // references, then calls Loaded on every component read, root first.
  TComponent* ReadRootComponent(TComponent* ARoot);
  // One component record; AComponent nil creates it from the stored class,
  // owned by the reader's owner.
  TComponent* ReadComponent(TComponent* AComponent);
  // Properties and children of AInstance (TComponent::ReadState calls it).
  void ReadData(TComponent* AInstance);
  // Resolves the component references read so far against the root.
  void FixupReferences();

  TComponent* GetOwner() const { return FOwner; }
  void SetOwner(TComponent* AValue) { FOwner = AValue; }
  TComponent* GetParent() const { return FParent; }
  void SetParent(TComponent* AValue) { FParent = AValue; }

  std::int64_t GetPosition();
  void SetPosition(std::int64_t AValue);

 private:
  struct TFixup {
    TPersistent* Instance;
    const TPropInfo* Prop;
    String Name;
    // The collections whose items were being read when the reference was:
    // clearing one of them frees the instance, and the fix-up goes with it.
    std::vector<TCollection*> Collections;
  };

  void ReadPropValue(TPersistent* AInstance, const TPropInfo* AProp);
  void ReadObjectValue(TPersistent* AInstance, const TPropInfo* AProp);
  void ReadPrefix(int& AFlags, int& AChildPos);
  TComponent* FindReference(const String& AName) const;
  std::uint8_t ReadByte();
  [[noreturn]] void PropValueError();
  // Root first, then each component after its own children, as read.
  static void NotifyLoaded(const std::vector<TComponent*>& AComponents);

  friend bool InitInheritedComponent(TComponent*, TClass, HINSTANCE);

  TComponent* FOwner;
  TComponent* FParent;
  String FPropName;
  std::vector<TFixup> FFixups;
  // The collections being read, outermost first.
  std::vector<TCollection*> FCollections;
  // How deep the skipped lists, the collections or the components being
  // read nest.
  int FNesting;
  std::vector<TComponent*> FLoaded;
  // Set while inherited resources are read one after another: the
  // components are collected there and told Loaded once, after the last.
  std::vector<TComponent*>* FGlobalLoaded;
};

// ---------------------------------------------------------------------------
// Routines

// The framework's TStream.ReadComponent and WriteComponent: AInstance nil
// creates the root from the stored class.
TComponent* ReadComponent(TStream* AStream, TComponent* AInstance);
void WriteComponent(TStream* AStream, TComponent* AInstance);
void WriteDescendent(TStream* AStream, TComponent* AInstance, TComponent* AAncestor);

// Reads the RCDATA resource named AResName of the module into AInstance.
// EResNotFound when the module has none.
TComponent* ReadComponentRes(const String& AResName, TComponent* AInstance, HINSTANCE AModule = nullptr);

// The text form of a stored root: "object Form1: TForm1", one property per
// line ("Caption = 'Hello'#13#10'world'", "Anchors = [akLeft, akTop]",
// "Items = <item ... end>", "Data = {0A0B}", lists "( ... )"), the children,
// "end". The text is UTF-8. Errors in the text raise EParserError with the
// line number.
void ObjectBinaryToText(TStream* AInput, TStream* AOutput);
void ObjectTextToBinary(TStream* AInput, TStream* AOutput);

RTL_DECLARE_EXCEPTION(EParserError, Exception);

}  // namespace rtl
